BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: run test build setup clean

run: build
	$(BUILD)/wzplog

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

build: setup
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)

setup:
	@tools/setup-debian.sh

clean:
	rm -rf $(BUILD)
