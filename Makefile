# Set-up commands: `make demo` builds and runs the demo, `make test` builds
# and runs every test. Both install missing Debian packages first.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
DEBIAN_PACKAGES = cmake g++ make libsqlite3-dev sqlite3 googletest libgtest-dev libgmock-dev \
                  libbenchmark-dev libcli11-dev python3-ezdxf

.PHONY: deps build demo test clean

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

demo: build
	cd examples/demo && ../../$(BUILD)/orvane-hvac run --drawing demo.dwg demo.lsp

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD)
