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

run: build
	@echo "The program's window is not built yet: the core library, its tests and benchmarks are."
	@echo "Run 'make test' to check them, or 'make bench' for the engine benchmarks."

test: build
	ctest --preset $(PRESET) -j $(JOBS)

bench:
	@scripts/install-deps
	cmake --preset release
	cmake --build --preset release -j $(JOBS) --target bench_engine bench_cfb
	build/release/bench/bench_engine --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
	build/release/bench/bench_cfb --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

asan:
	$(MAKE) test PRESET=asan

clean:
	rm -rf build
