# The two commands of the README: `make run` and `make test`.
# Both install what is missing, configure into build/ with Ninja and build.
# `make install` installs the built program under PREFIX (and DESTDIR, when
# given); `make package` makes the Debian package in build/.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
CMAKE_ARGS ?=
PREFIX ?= /usr/local
# Warnings are errors in CI.
ifneq ($(CI),)
CMAKE_ARGS += -DKESTOVA_WERROR=ON
endif

.PHONY: all deps configure build test run bench install package format clean check-sanitize fuzz-smoke

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_ARGS) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR)

test: build
	@cd $(BUILD_DIR) && ctest --output-on-failure -j2 --timeout 600

# The suite again, built with AddressSanitizer and UndefinedBehaviorSanitizer in build-sanitize/.
check-sanitize: deps
	@scripts/check-sanitize

# Each fuzz target of fuzz/ for a few seconds, built with clang in build-fuzz/.
fuzz-smoke: deps
	@scripts/fuzz-smoke

run: build
	@scripts/run $(BUILD_DIR)

bench: build
	@scripts/bench $(BUILD_DIR)

install: build
	@DESTDIR="$(DESTDIR)" cmake --install $(BUILD_DIR) --prefix "$(PREFIX)" --strip

package: build
	@cd $(BUILD_DIR) && cpack -G DEB

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR) build-sanitize build-fuzz
