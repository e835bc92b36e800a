# The two commands a new user needs: `make run` and `make test`.
PRESET ?= dev
JOBS ?= 2

.PHONY: all deps build run test bench asan install package clean

all: build

deps:
	@scripts/install-deps

build/$(PRESET)/build.ninja:
	cmake --preset $(PRESET)

build: deps build/$(PRESET)/build.ninja
	cmake --build --preset $(PRESET) -j $(JOBS)

EXAMPLE = build/$(PRESET)/data/Example Files/Wattle Lane Cafe.kqk

# The window opens on the shipped example document; without a display it runs under Xvfb.
run: build
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
		build/$(PRESET)/src/app/zudeduze "$(EXAMPLE)"; \
	else \
		echo "No display: running under xvfb-run -a (scripts/screenshot saves pictures of the window)."; \
		xvfb-run -a -s "-screen 0 1280x800x24" build/$(PRESET)/src/app/zudeduze "$(EXAMPLE)"; \
	fi

test: build
	ctest --preset $(PRESET) -j $(JOBS)

bench:
	@scripts/install-deps
	cmake --preset release
	cmake --build --preset release -j $(JOBS) --target bench_engine bench_cfb bench_document bench_worksheet bench_grid bench_reports bench_charts bench_import bench_print
	build/release/bench/bench_engine --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
	build/release/bench/bench_cfb --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
	build/release/bench/bench_document --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
	build/release/bench/bench_worksheet --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
	build/release/bench/bench_reports --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
	build/release/bench/bench_charts --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
	build/release/bench/bench_import
	QT_QPA_PLATFORM=offscreen build/release/bench/bench_print --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
	QT_QPA_PLATFORM=offscreen build/release/bench/bench_grid --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

asan:
	$(MAKE) test PRESET=asan

# `make install [PREFIX=/usr/local]`: the Release build installed, its data found from there.
PREFIX ?= /usr/local
install:
	$(MAKE) build PRESET=release
	cmake --install build/release --prefix "$(PREFIX)"

# `make package`: build/release/quillmar-zudeduze_<version>_<arch>.deb (`apt install ./that.deb`).
package:
	$(MAKE) build PRESET=release
	cd build/release && cpack

clean:
	rm -rf build
