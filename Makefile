BUILD_DIR ?= build
JOBS ?= $(shell nproc)

.PHONY: deps configure build run test bench clean

deps:
	@scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	$(BUILD_DIR)/app/tezdesk

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: build
	@scripts/fetch-bench-corpus.sh $(BUILD_DIR)
	$(BUILD_DIR)/bench/tezc_bench "" 32 $(BUILD_DIR)/bench-corpus
	$(BUILD_DIR)/bench/office_bench

clean:
	rm -rf $(BUILD_DIR)
