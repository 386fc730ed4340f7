BUILD_DIR ?= build
# The same sources built with clang's sanitizers; its tests include the fuzz targets.
SANITIZE_DIR ?= build-sanitize
JOBS ?= $(shell nproc)
# Where `make install` puts the program; DESTDIR (empty) stages it below another root.
PREFIX ?= /usr/local
# Warnings as errors (TEZDESK_WERROR): make test turns it on for both builds; otherwise a
# build keeps what it was configured with.
WERROR ?=

.PHONY: deps test-deps configure build sanitize-build run test fuzz install-check install package bench output-reference output-check clean

# What building and running need; test-deps adds what the tests need.
deps:
	@scripts/install-deps.sh

test-deps:
	@scripts/install-deps.sh --test

configure: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(if $(WERROR),-DTEZDESK_WERROR=$(WERROR)) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

sanitize-build: test-deps
	@CC=clang CXX=clang++ cmake -S . -B $(SANITIZE_DIR) -DCMAKE_BUILD_TYPE=Sanitize \
	  -DCMAKE_CXX_FLAGS_SANITIZE="-O1 -gline-tables-only" -DCMAKE_C_FLAGS_SANITIZE="-O1 -gline-tables-only" \
	  -DTEZDESK_SANITIZE=ON $(if $(WERROR),-DTEZDESK_WERROR=$(WERROR)) >/dev/null
	@cmake --build $(SANITIZE_DIR) -j $(JOBS)

run: build
	$(BUILD_DIR)/app/tezdesk

test: WERROR = ON
test: test-deps build sanitize-build install-check
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)
	cd $(SANITIZE_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# Every fuzz target of the sanitizer build for FUZZ_SECONDS each, JOBS of them at a time.
FUZZ_SECONDS ?= 600
fuzz: sanitize-build
	@cmake -S . -B $(SANITIZE_DIR) -DTEZDESK_FUZZ_SECONDS=$(FUZZ_SECONDS) >/dev/null
	cmake --build $(SANITIZE_DIR) --target fuzz_long -j $(JOBS)

# Installs into a temporary root and starts the installed program there once.
install-check: build
	@scripts/check-install.sh $(BUILD_DIR)

install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD_DIR) --prefix $(PREFIX)

# A Debian package of the program (installed under /usr) in $(BUILD_DIR)/package.
package: build
	cd $(BUILD_DIR) && cpack -G DEB -B package

# The library's output of every string mode on a large mixed corpus: output-reference writes
# it (from the build before a change), output-check compares the current build's with it.
OUTPUT_REF ?= $(BUILD_DIR)/output-reference
output-reference output-check: build
	@scripts/fetch-bench-corpus.sh $(BUILD_DIR)
	$(BUILD_DIR)/bench/tezc_output_check $(if $(filter output-check,$@),compare,write) $(OUTPUT_REF) $(BUILD_DIR)/bench-corpus

# The comparison library's releases the conversion benchmark runs against, one table each.
OPENCC_RELEASES ?= 1.4.2 1.4.1
bench: build
	@scripts/fetch-bench-corpus.sh $(BUILD_DIR)
	@for release in $(OPENCC_RELEASES); do \
	  scripts/fetch-opencc.sh $(BUILD_DIR) $$release && \
	  $(BUILD_DIR)/bench/opencc_compare_bench $(BUILD_DIR)/opencc-$$release/lib/libopencc.so \
	    $(BUILD_DIR)/opencc-$$release/package/prebuilds/assets $(BUILD_DIR)/bench-corpus $$release || exit 1; \
	done
	$(BUILD_DIR)/bench/tezc_bench "" 0 $(BUILD_DIR)/bench-corpus
	$(BUILD_DIR)/bench/tezc_file_bench "" $(BUILD_DIR)/bench-corpus
	QT_QPA_PLATFORM=offscreen $(BUILD_DIR)/bench/office_bench
	QT_QPA_PLATFORM=offscreen $(BUILD_DIR)/bench/office_mix_bench

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR)
