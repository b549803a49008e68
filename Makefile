BUILD ?= build
JOBS ?= $(shell nproc)
PREFIX ?= /usr/local

.PHONY: run test build configure setup clean install package

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

package: build
	cd $(BUILD) && cpack -G DEB

setup:
	@tools/setup-debian.sh

clean:
	rm -rf $(BUILD)
