# The two commands a new user needs: `make run` and `make test`.
PRESET ?= dev
JOBS ?= 2

.PHONY: all deps build run test bench asan clean

all: build

deps:
	@scripts/install-deps

build/$(PRESET)/build.ninja:
	cmake --preset $(PRESET)

build: deps build/$(PRESET)/build.ninja
	cmake --build --preset $(PRESET) -j $(JOBS)

EXAMPLE = build/$(PRESET)/data/Example Files/Wattle Lane Cafe.kqk

run: build
	@echo "The program's window is not built yet; until it is, here is the example document's"
	@echo "worksheet as the command-line tool shows it (build/$(PRESET)/src/cli/zudeduze-cli --help for more)."
	@build/$(PRESET)/src/cli/zudeduze-cli info "$(EXAMPLE)"
	@build/$(PRESET)/src/cli/zudeduze-cli worksheet "$(EXAMPLE)" --tab 4

test: build
	ctest --preset $(PRESET) -j $(JOBS)

bench:
	@scripts/install-deps
	cmake --preset release
	cmake --build --preset release -j $(JOBS) --target bench_engine bench_cfb bench_document bench_worksheet
	build/release/bench/bench_engine --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
	build/release/bench/bench_cfb --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
	build/release/bench/bench_document --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
	build/release/bench/bench_worksheet --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

asan:
	$(MAKE) test PRESET=asan

clean:
	rm -rf build
