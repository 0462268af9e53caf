# Set-up commands: `make demo` builds and runs the demo, `make test` builds
# and runs every test. Both install missing Debian packages first.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
DEBIAN_PACKAGES = cmake g++ make libsqlite3-dev sqlite3 googletest libgtest-dev libgmock-dev \
                  libbenchmark-dev libcli11-dev python3-ezdxf postgresql libpq-dev \
                  libocct-modeling-algorithms-dev libocct-modeling-data-dev libocct-foundation-dev \
                  libocct-data-exchange-dev clang libclang-rt-14-dev libcairo2-dev libfreetype-dev \
                  libfontconfig-dev fonts-dejavu-core poppler-utils librecad fonts-wqy-microhei

# `make fuzz` builds the fuzz programs with clang (libFuzzer, sanitizers) in
# $(FUZZ_BUILD) and runs each for FUZZ_SECONDS (or FUZZ_RUNS inputs, with
# FUZZ_SEED fixing the random seed: see fuzz/run_fuzzers.sh).
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZERS = dxf_reader binary_reader lisp module_functions
PREFIX ?= /usr/local

.PHONY: deps build demo test bench fuzz install clean

deps:
	@missing=""; for p in $(DEBIAN_PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $$missing; \
	fi

build: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS)

# The demo runs in $(BUILD)/demo: a fresh project folder made from
# examples/demo, so the source tree stays clean.
demo: build
	rm -rf $(BUILD)/demo && mkdir -p $(BUILD)/demo
	cp examples/demo/*.lsp examples/plan/ArchitectPlan.dxf $(BUILD)/demo/
	cd $(BUILD)/demo && ../orvane-hvac new-project . demo $(if $(DEMO_SERVER),--server '$(DEMO_SERVER)')
	cd $(BUILD)/demo && ORVANE_SUPPORT=$(CURDIR)/examples/support:$(CURDIR)/examples/product ../orvane-hvac run --drawing ArchitectPlan.dxf demo.lsp
	cd $(BUILD)/demo && ../orvane-hvac copy-project demo_zk_hvac.zk demo-copy.sqlite
	cd $(BUILD)/demo && ../orvane-hvac export Plan.dwg -o Plan-exploded.dxf --explode
	cd $(BUILD)/demo && ../orvane-hvac render Plan.dwg -o Plan-large.pdf --width 4800
	cd $(BUILD)/demo && ../orvane-hvac render Plan.dwg -o Plan-black.png --background black
	@echo "Demo output in $(BUILD)/demo (Plan.dxf, Plan.dwg, Plan.svg, Plan.png, Plan.pdf, Plan-exploded.dxf, the printed Load Detail pages)"

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DORV_FUZZ=ON -DORV_SANITIZE=ON -DORV_BENCHMARKS=OFF
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzzers
	fuzz/run_fuzzers.sh $(FUZZ_BUILD) $(FUZZ_SECONDS) $(FUZZERS)

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# Not part of `make test` or CI: builds the benchmarks in Release in
# $(BENCH_BUILD) and prints one table of every figure beside its anchor.
BENCH_BUILD ?= build-bench
bench: deps
	cmake -S . -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=Release -DORV_BENCHMARKS=ON $(CMAKE_FLAGS)
	cmake --build $(BENCH_BUILD) -j $(JOBS) --target benchmarks
	/usr/bin/python3 benchmarks/bench_report.py $(BENCH_BUILD) $(if $(BENCH_FILTER),--filter '$(BENCH_FILTER)')

clean:
	rm -rf $(BUILD) $(FUZZ_BUILD) $(BENCH_BUILD)
