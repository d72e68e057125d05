# The two set-up commands: `make demo` and `make test`. Both install what is missing first.
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc)
WERROR     := $(if $(ZEPHON_WERROR),$(ZEPHON_WERROR),OFF)
CMAKE_GEN  := -G Ninja

.PHONY: all deps configure build demo run package package-check test test-normal test-asan bench clean format format-check check-self-contained

all: build

deps:
	@bash scripts/install-deps.sh

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZEPHON_WERROR=$(WERROR)

$(ASAN_BUILD)/build.ninja: | deps
	cmake -S . -B $(ASAN_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DZEPHON_SANITIZE=ON \
	      -DZEPHON_BENCH=OFF -DZEPHON_WERROR=$(WERROR)

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

# The whole workflow on the bundled example: documents and SVG pictures in zephon-demo/.
# Builds only the command-line tool it runs.
demo: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS) --target zephon-cli
	$(BUILD)/src/cli/zephon-cli demo --out zephon-demo

# The desktop application on the demonstration's documents (made first when missing).
run: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS) --target zephon zephon-cli
	test -f zephon-demo/phase_diagram.ptd || $(BUILD)/src/cli/zephon-cli demo --out zephon-demo
	$(BUILD)/src/gui/zephon zephon-demo/inclusions.inc zephon-demo/alpha_beta.abp zephon-demo/phase_diagram.ptd

# A Debian package of both programs in $(BUILD)/ (zephon_<version>_amd64.deb).
package: build
	cmake --build $(BUILD) --target package

# The package as Debian's checker sees it (no error, no warning), and the desktop entry and the
# software-centre description through their validators.
package-check: package
	@bash scripts/check-package-lint.sh $(BUILD)

test-normal: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test-asan: deps $(ASAN_BUILD)/build.ninja
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	    ctest --output-on-failure -j $(JOBS)

test: test-normal test-asan

# Every program of bench/, in one table.
bench: build
	@bash scripts/bench-table.sh $(BUILD) 0.2

format:
	clang-format -i $$(git ls-files '*.cpp' '*.hpp')

# Fails on any source file that differs from what clang-format makes of it.
format-check: deps
	clang-format --dry-run --Werror $$(git ls-files '*.cpp' '*.hpp')

# Fails when the build or the tests refer to a path outside the repository.
check-self-contained:
	@bash scripts/check-self-contained.sh

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
