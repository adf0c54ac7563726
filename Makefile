# The two commands of the README: `make run` and `make test`.
BUILD_DIR := build
JOBS := $(shell nproc 2>/dev/null || echo 2)

.PHONY: all deps configure build display run test bench install uninstall clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

display:
	@scripts/check-display

run: display build
	@$(BUILD_DIR)/shell/quorvel4

test: build
	@cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

bench: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target benchmarks
	@scripts/run-benchmarks $(BUILD_DIR)

install: build
	@cmake --install $(BUILD_DIR)
	@command -v update-desktop-database > /dev/null && \
	  update-desktop-database "$$(cmake -L -N $(BUILD_DIR) | sed -n 's/^CMAKE_INSTALL_PREFIX:PATH=//p')/share/applications" || true

# Removes every file `make install` wrote, as its manifest lists them.
uninstall:
	@if [ -f $(BUILD_DIR)/install_manifest.txt ]; then \
	  xargs -d '\n' rm -fv < $(BUILD_DIR)/install_manifest.txt; \
	else echo "Nothing was installed from $(BUILD_DIR)."; fi

clean:
	rm -rf $(BUILD_DIR)
