BUILD ?= build
JOBS ?= $(shell nproc)
PREFIX ?= /usr/local

.PHONY: run test build configure setup clean install uninstall package

# Only the program and what it needs at run time; the tests and benchmarks come with "make test".
run: configure
	cmake --build $(BUILD) -j $(JOBS) --target wzplog
	$(BUILD)/wzplog

test: configure
	cmake --build $(BUILD) -j $(JOBS) --target all checks
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

configure: setup
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# Removes the files the last "make install" put in place, as CMake listed them; data folders stay.
uninstall:
	@test -f $(BUILD)/install_manifest.txt || { echo "$(BUILD)/install_manifest.txt is missing: nothing was installed from $(BUILD)." >&2; exit 1; }
	xargs -d '\n' rm -f < $(BUILD)/install_manifest.txt

package: build
	cd $(BUILD) && cpack -G DEB

setup:
	@tools/setup-debian.sh

clean:
	rm -rf $(BUILD)
