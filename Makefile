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

unit: build
	@cd $(BUILD_DIR) && ctest --output-on-failure -LE e2e

bench: build
	@scripts/bench $(BUILD_DIR)

contact-sheet: build
	@cmake --build $(BUILD_DIR) --target contact_sheet
	@echo "contact sheet: $(BUILD_DIR)/contact-sheet.png"

clean:
	rm -rf $(BUILD_DIR)
