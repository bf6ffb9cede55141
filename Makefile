# Karvelle: `make run` installs what the game needs, builds the game and its
# data and starts it; `make test` installs the test tools too, builds everything
# and runs every test; `make install` (PREFIX, DESTDIR) installs it, `make
# package` builds the Debian package and its debug symbols.
BUILD_DIR ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
PREFIX ?= /usr/local

.PHONY: all deps run-deps configure build run test unit e2e bench contact-sheet sanitize clean install uninstall package

all: build

deps:
	@scripts/install-deps

# Only what building and running the game needs.
run-deps:
	@scripts/install-deps --run

configure: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

# The game and its data, nothing else: the tests and benchmarks are left to `make test`.
run: run-deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target karvelle game_data
	@scripts/run-game $(BUILD_DIR)

# The sanitizer pass starts first, at the lowest priority: it builds and runs
# on what the build and ctest leave of the processor, and its output follows
# ctest's. ctest runs six tests at a time: the end-to-end tests mostly wait on
# the game.
TEST_JOBS ?= 6
test: deps
	@mkdir -p $(BUILD_DIR); \
	 nice -n 19 $(MAKE) --no-print-directory sanitize >$(BUILD_DIR)/sanitize.log 2>&1 & pass=$$!; \
	 $(MAKE) --no-print-directory build && (cd $(BUILD_DIR) && ctest --output-on-failure -j $(TEST_JOBS)); tests=$$?; \
	 wait $$pass; sanitized=$$?; \
	 echo "The sanitizer pass ($(BUILD_DIR)/sanitize.log):"; cat $(BUILD_DIR)/sanitize.log; \
	 [ $$sanitized = 0 ] || echo "The sanitizer pass failed."; \
	 [ $$tests = 0 ] && [ $$sanitized = 0 ]

# The unit tests and one end-to-end run again, built with AddressSanitizer and
# UndefinedBehaviorSanitizer. Leaks are not checked: the game keeps its resources
# until the process ends, on purpose.
SANITIZE_DIR ?= build-sanitize
sanitize: deps
	@cmake -S . -B $(SANITIZE_DIR) -DCMAKE_BUILD_TYPE=Debug -DKARVELLE_SANITIZE=ON >/dev/null
	@cmake --build $(SANITIZE_DIR) -j $(JOBS) --target karvelle unit_tests game_data
	@# A unit case has ten minutes here, not two: the sanitizers slow the fuzzing down.
	@# The profile's races and generated profiles run a tenth as often as in
	@# ctest, which runs them all. The cases run in two halves side by side;
	@# the end-to-end run follows the first half, the shorter by some seconds.
	@# Each report is printed whole.
	@export KARVELLE_TEST_TIME_LIMIT=600 ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 GTEST_TOTAL_SHARDS=2 \
	   KARVELLE_PROFILE_RACES=100 KARVELLE_FUZZ_PROFILES=100000; \
	 status=0; \
	 GTEST_SHARD_INDEX=1 $(SANITIZE_DIR)/tests/unit_tests --gtest_brief=1 >$(SANITIZE_DIR)/unit-tests-1.log 2>&1 & second=$$!; \
	 GTEST_SHARD_INDEX=0 $(SANITIZE_DIR)/tests/unit_tests --gtest_brief=1 >$(SANITIZE_DIR)/unit-tests-0.log 2>&1 || status=1; \
	 tests/e2e/test_dialogue.sh $(SANITIZE_DIR) >$(SANITIZE_DIR)/dialogue.log 2>&1 || status=1; \
	 wait $$second || status=1; \
	 cat $(SANITIZE_DIR)/unit-tests-0.log $(SANITIZE_DIR)/unit-tests-1.log $(SANITIZE_DIR)/dialogue.log; exit $$status

unit: build
	@cd $(BUILD_DIR) && ctest --output-on-failure -LE e2e

bench: build
	@scripts/bench $(BUILD_DIR)

contact-sheet: build
	@cmake --build $(BUILD_DIR) --target contact_sheet
	@echo "contact sheets: $(BUILD_DIR)/contact-sheet.png (scenes, sprites), $(BUILD_DIR)/contact-sheet-rooms.png (every room at game size)"

# The install prefix is compiled into the game (its last place to look for the
# data), so installing under another prefix reconfigures with it; only the game
# and its data are rebuilt. After `make`, `sudo make install` with the same
# prefix writes nothing into the build folder. The binary is stripped.
cached = $(shell sed -n 's/^$(1):[A-Z]*=//p' $(BUILD_DIR)/CMakeCache.txt 2>/dev/null)
install:
	@[ "$(call cached,CMAKE_INSTALL_PREFIX)" = "$(PREFIX)" ] && [ "$(call cached,KARVELLE_FONT_LINK)" = absolute ] || \
	 cmake -S . -B $(BUILD_DIR) -DCMAKE_INSTALL_PREFIX=$(PREFIX) -DKARVELLE_FONT_LINK=absolute >/dev/null
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target karvelle game_data icons dist_files
	@DESTDIR=$(DESTDIR) cmake --install $(BUILD_DIR) --strip

uninstall:
	@DESTDIR=$(DESTDIR) cmake --build $(BUILD_DIR) --target uninstall

# build/karvelle_<version>_<arch>.deb, for /usr, and karvelle-dbgsym_<version>_<arch>.deb
# with the symbols stripped from it. The files in them are dated SOURCE_DATE_EPOCH,
# by default the date of the changelog's latest entry, so the same source gives
# the same bytes.
CHANGELOG_DATE = $(shell sed -n 's/^ -- .*  //p' dist/changelog.in | head -n 1)
package: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr -DKARVELLE_FONT_LINK=relative >/dev/null
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target karvelle game_data icons dist_files
	@# CPack counts what an earlier run left in its staging folder into Installed-Size.
	@rm -rf $(BUILD_DIR)/_CPack_Packages $(BUILD_DIR)/karvelle_*.deb $(BUILD_DIR)/karvelle-dbgsym_*.deb $(BUILD_DIR)/karvelle-dbgsym_*.ddeb
	@export SOURCE_DATE_EPOCH=$${SOURCE_DATE_EPOCH:-$$(date -d '$(CHANGELOG_DATE)' +%s)} && \
	 (cd $(BUILD_DIR) && cpack -G DEB >/dev/null) && dist/dbgsym-package $(BUILD_DIR)
	@ls $(BUILD_DIR)/karvelle_*.deb $(BUILD_DIR)/karvelle-dbgsym_*.deb

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR)
