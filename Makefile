BUILD_DIR ?= build
# The same sources built with clang's sanitizers; its tests include the fuzz targets.
SANITIZE_DIR ?= build-sanitize
JOBS ?= $(shell nproc)

.PHONY: deps configure build sanitize-build run test fuzz bench clean

deps:
	@scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

sanitize-build: deps
	@CC=clang CXX=clang++ cmake -S . -B $(SANITIZE_DIR) -DCMAKE_BUILD_TYPE=Sanitize \
	  -DCMAKE_CXX_FLAGS_SANITIZE="-O1 -gline-tables-only" -DCMAKE_C_FLAGS_SANITIZE="-O1 -gline-tables-only" \
	  -DTEZDESK_SANITIZE=ON >/dev/null
	@cmake --build $(SANITIZE_DIR) -j $(JOBS)

run: build
	$(BUILD_DIR)/app/tezdesk

test: build sanitize-build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)
	cd $(SANITIZE_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# Every fuzz target of the sanitizer build for FUZZ_SECONDS each, JOBS of them at a time.
FUZZ_SECONDS ?= 600
fuzz: sanitize-build
	@cmake -S . -B $(SANITIZE_DIR) -DTEZDESK_FUZZ_SECONDS=$(FUZZ_SECONDS) >/dev/null
	cmake --build $(SANITIZE_DIR) --target fuzz_long -j $(JOBS)

bench: build
	@scripts/fetch-bench-corpus.sh $(BUILD_DIR)
	@scripts/fetch-opencc.sh $(BUILD_DIR)
	$(BUILD_DIR)/bench/opencc_compare_bench $(BUILD_DIR)/opencc/lib/libopencc.so \
	  $(BUILD_DIR)/opencc/package/prebuilds/assets $(BUILD_DIR)/bench-corpus
	$(BUILD_DIR)/bench/tezc_bench "" 32 $(BUILD_DIR)/bench-corpus
	$(BUILD_DIR)/bench/tezc_file_bench "" $(BUILD_DIR)/bench-corpus
	QT_QPA_PLATFORM=offscreen $(BUILD_DIR)/bench/office_bench

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR)
