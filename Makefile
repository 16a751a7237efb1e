# The two commands a newcomer needs: `make run` and `make test`. Each installs what is missing first.
.PHONY: run test bench perf fuzz deps build package package-check clean format

JOBS ?= $(shell nproc 2>/dev/null || sysctl -n hw.ncpu 2>/dev/null || echo 2)

deps:
	@bash scripts/install-deps

build: deps
	cmake --preset release
	cmake --build --preset release -j $(JOBS)

run: build
	./build/release/brolga

# The installable package of this platform (Debian: build/release/brolga_VERSION_ARCH.deb). File times in
# the program and the package come from the last commit, so the same commit gives the same bytes.
package package-check: export SOURCE_DATE_EPOCH ?= $(shell git log -1 --format=%ct 2>/dev/null)
package: build
	cd build/release && cpack

# The Release package built twice and compared, then its dependencies, hardening, files and lintian
# (tests/package/package.sh; PACKAGE_CMAKE_ARGS adds cache settings, e.g. a release's addresses).
package-check:
	@bash scripts/install-deps package
	bash tests/package/package.sh .

test: deps
	cmake --preset test
	cmake --build --preset test -j $(JOBS)
	ctest --preset test -j $(JOBS)

# The benchmarks; the client book's two run again over an office's book, 20 brokers × 10,000 clients on a
# PostgreSQL server of their own that flushes its commits as a real one does.
bench: deps
	cmake --preset bench
	cmake --build --preset bench -j $(JOBS)
	./build/bench/bench/bench_derived
	QT_QPA_PLATFORM=offscreen ./build/bench/bench/bench_repayment_refresh
	QT_QPA_PLATFORM=offscreen ./build/bench/bench/bench_card
	./build/bench/bench/bench_clientbook
	QT_QPA_PLATFORM=offscreen ./build/bench/bench/bench_clients_window
	QT_QPA_PLATFORM=offscreen ./build/bench/bench/bench_report
	bash tests/pgserver.sh start build/bench/pgserver resources/office-book.sql durable
	export BROLGA_BENCH_SERVER=build/bench/pgserver; ./build/bench/bench/bench_clientbook && \
	  QT_QPA_PLATFORM=offscreen ./build/bench/bench/bench_clients_window; \
	  status=$$?; bash tests/pgserver.sh stop build/bench/pgserver; exit $$status
	bash tests/pgserver.sh start build/bench/pgserver resources/office-book.sql durable
	export BROLGA_BENCH_SERVER=build/bench/pgserver; ./build/bench/bench/bench_clientbook && \
	  QT_QPA_PLATFORM=offscreen ./build/bench/bench/bench_clients_window; \
	  status=$$?; bash tests/pgserver.sh stop build/bench/pgserver; exit $$status

# The figures of docs/performance.md (needs hyperfine, xvfb-run and GNU time).
perf: deps
	cmake --preset bench
	cmake --build --preset bench -j $(JOBS)
	bash bench/perf.sh build/bench

# Each fuzz target runs FUZZ_SECONDS (default 60) on its seeds in tests/fuzz/corpus/;
# what it finds new goes to build/fuzz/corpus/, crashes to build/fuzz/findings/.
FUZZ_SECONDS ?= 60
FUZZ_TARGETS = fuzz_state fuzz_numbertext fuzz_release fuzz_logo fuzz_calc
fuzz:
	@bash scripts/install-deps fuzz
	cmake --preset fuzz
	cmake --build --preset fuzz -j $(JOBS)
	@for t in $(FUZZ_TARGETS); do \
	  seeds=tests/fuzz/corpus/$${t#fuzz_}; work=build/fuzz/corpus/$${t#fuzz_}; \
	  mkdir -p $$work build/fuzz/findings; \
	  echo "== $$t for $(FUZZ_SECONDS) s"; \
	  dict=tests/fuzz/$${t#fuzz_}.dict; [ -f $$dict ] && dictarg=-dict=$$dict || dictarg=; \
	  ./build/fuzz/tests/fuzz/$$t $$dictarg -max_total_time=$(FUZZ_SECONDS) -artifact_prefix=build/fuzz/findings/$$t- \
	    -print_final_stats=1 $$work $$seeds || exit 1; \
	done

format:
	find src tests tools bench -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf build
