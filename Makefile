# Kestrune: the two commands a newcomer needs are `make run` and `make test`.
BUILD ?= build
ASAN_BUILD ?= build-asan
PACKAGE_BUILD ?= build-package
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: all deps configure build run test sanitize fuzz bench package format clean web web-o1 \
	web-run web-test web-bench

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/kestrune

# The plain suite first, then the browser game's tests, then the same tests built with
# AddressSanitizer and UBSan.
test: build
	@scripts/run-tests $(BUILD)
	@$(MAKE) --no-print-directory web-test
	@$(MAKE) --no-print-directory sanitize

SANITIZER_ENV = ASAN_OPTIONS=detect_leaks=1:check_initialization_order=1:strict_init_order=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitizers/lsan.supp \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

sanitize: deps
	@cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKESTRUNE_SANITIZE=ON \
		-DKESTRUNE_BUILD_BENCH=OFF $(CMAKE_FLAGS) >/dev/null
	@$(SANITIZER_ENV) cmake --build $(ASAN_BUILD) -j $(JOBS)
	@$(SANITIZER_ENV) scripts/run-tests $(ASAN_BUILD)

# libFuzzer on the settings and tower readers, FUZZ_SECONDS each. New inputs go to
# $(FUZZ_BUILD)/corpus; copy the interesting ones into fuzz/corpus by hand.
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_TARGETS = settings tower

fuzz:
	@scripts/install-deps clang libclang-rt-14-dev
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DKESTRUNE_FUZZ=ON -DKESTRUNE_BUILD_UI=OFF -DBUILD_TESTING=OFF \
		-DKESTRUNE_BUILD_BENCH=OFF >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS)
	@for t in $(FUZZ_TARGETS); do \
		mkdir -p $(FUZZ_BUILD)/corpus/$$t $(FUZZ_BUILD)/artifacts/$$t && \
		echo "fuzz_$$t: $(FUZZ_SECONDS) s" && \
		$(FUZZ_BUILD)/fuzz_$$t -max_total_time=$(FUZZ_SECONDS) -timeout=10 -print_final_stats=1 \
			-artifact_prefix=$(FUZZ_BUILD)/artifacts/$$t/ \
			$(FUZZ_BUILD)/corpus/$$t fuzz/corpus/$$t 2>$(FUZZ_BUILD)/fuzz_$$t.log || \
		{ tail -40 $(FUZZ_BUILD)/fuzz_$$t.log; exit 1; }; \
		grep -E '^stat::number_of_executed_units|^Done' $(FUZZ_BUILD)/fuzz_$$t.log; \
	done

bench: build
	$(BUILD)/kestrune_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

# The browser game: the core built with Emscripten into a folder of static files. The tests
# also build it at -O1 (web-o1), where the optimiser inlines differently: what waits must
# work whatever was inlined.
WEB_BUILD ?= build-web
WEB_O1_BUILD ?= build-web-o1
WEB_PORT ?= 8080
WEB_PACKAGES = emscripten fluidsynth vorbis-tools timgm6mb-soundfont
# Debian's emcc runs its optimiser under node, which finds Debian's node modules only so.
WEB_ENV = NODE_PATH=/usr/share/nodejs

# $(call build_web,DIR,OPT)
define build_web
	@scripts/install-deps $(WEB_PACKAGES)
	@$(WEB_ENV) emcmake cmake -S . -B $(1) -DCMAKE_BUILD_TYPE=Release \
		-DKESTRUNE_WEB_OPT_FLAGS=$(2) >/dev/null
	@$(WEB_ENV) cmake --build $(1) -j $(JOBS)
	@echo "web ($(2)): $(1)/site"
endef

web:
	$(call build_web,$(WEB_BUILD),-O3)

web-o1:
	$(call build_web,$(WEB_O1_BUILD),-O1)

web-run: web
	@echo "Kestrune: http://127.0.0.1:$(WEB_PORT)/  (Ctrl+C stops)"
	@python3 -m http.server $(WEB_PORT) --bind 127.0.0.1 --directory $(WEB_BUILD)/site

# The browser tests: headless Chromium driven by puppeteer-core (pinned by the lockfile, no
# browser download), against the built site and the native core's reference pictures.
WEB_TEST_DIR = tests/web
WEB_TEST_ENV = KESTRUNE_REFERENCE=$(CURDIR)/$(BUILD)/kestrune_web_reference

$(WEB_TEST_DIR)/node_modules/.package-lock.json: $(WEB_TEST_DIR)/package-lock.json
	@scripts/install-deps chromium nodejs
	@command -v npm >/dev/null || scripts/install-deps npm
	@cd $(WEB_TEST_DIR) && npm ci --no-audit --no-fund --loglevel=error

web-test: build web web-o1 $(WEB_TEST_DIR)/node_modules/.package-lock.json
	@for site in $(WEB_BUILD) $(WEB_O1_BUILD); do \
		echo "browser tests against $$site/site" && \
		(cd $(WEB_TEST_DIR) && $(WEB_TEST_ENV) KESTRUNE_SITE=$(CURDIR)/$$site/site \
			node --test) || exit 1; \
	done

web-bench: web $(WEB_TEST_DIR)/node_modules/.package-lock.json
	@cd $(WEB_TEST_DIR) && KESTRUNE_SITE=$(CURDIR)/$(WEB_BUILD)/site node bench.mjs

# A Debian package of the game, built for /usr so that it finds its installed data.
package:
	@scripts/install-deps dpkg-dev file
	@cmake -S . -B $(PACKAGE_BUILD) -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
		-DBUILD_TESTING=OFF -DKESTRUNE_BUILD_BENCH=OFF >/dev/null
	@cmake --build $(PACKAGE_BUILD) -j $(JOBS)
	@cd $(PACKAGE_BUILD) && cpack
	@ls $(PACKAGE_BUILD)/*.deb

format:
	@clang-format -i $$(git ls-files 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'fuzz/*.cpp' 'fuzz/*.h')

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(PACKAGE_BUILD) $(FUZZ_BUILD) $(WEB_BUILD) $(WEB_O1_BUILD)
