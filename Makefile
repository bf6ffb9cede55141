# Karvelle: `make run` sets up, builds, makes the data and starts the game;
# `make test` sets up, builds and runs every test.
BUILD_DIR ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all deps configure build run test unit e2e bench contact-sheet sanitize clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@scripts/run-game $(BUILD_DIR)

test: build
	@cd $(BUILD_DIR) && ctest --output-on-failure -j 1
	@$(MAKE) --no-print-directory sanitize

# The unit tests and one end-to-end run again, built with AddressSanitizer and
# UndefinedBehaviorSanitizer. Leaks are not checked: the game keeps its resources
# until the process ends, on purpose.
SANITIZE_DIR ?= build-sanitize
sanitize: deps
	@cmake -S . -B $(SANITIZE_DIR) -DCMAKE_BUILD_TYPE=Debug -DKARVELLE_SANITIZE=ON >/dev/null
	@cmake --build $(SANITIZE_DIR) -j $(JOBS) --target karvelle unit_tests game_data
	@ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 $(SANITIZE_DIR)/tests/unit_tests --gtest_brief=1
	@ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 tests/e2e/test_dialogue.sh $(SANITIZE_DIR)

unit: build
	@cd $(BUILD_DIR) && ctest --output-on-failure -LE e2e

bench: build
	@scripts/bench $(BUILD_DIR)

contact-sheet: build
	@cmake --build $(BUILD_DIR) --target contact_sheet
	@echo "contact sheet: $(BUILD_DIR)/contact-sheet.png"

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR)
