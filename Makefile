# make run: builds and starts the program on the local database. make test: builds and runs every test.
# make check: runs every test in a Debug build (assertions on) with the address and undefined-behaviour sanitizers.
BUILD ?= build
CHECK_BUILD ?= build-check
JOBS ?= $(shell nproc)

.PHONY: all deps configure build run test check bench clean

all: build

deps:
	@bash scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/tavrel

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# A Debug build keeps assertions (no NDEBUG, Qt's Q_ASSERT on in our code). Leak detection stays on and needs no
# suppressions: the suite leaks nothing, through Qt, fontconfig and ODBC included.
check: deps
	@cmake -S . -B $(CHECK_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTAVREL_SANITIZE=ON >/dev/null
	@cmake --build $(CHECK_BUILD) -j $(JOBS)
	cd $(CHECK_BUILD) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	  ctest --output-on-failure -j $(JOBS)

bench: build
	./$(BUILD)/bench/tavrel_bench

clean:
	rm -rf $(BUILD) $(CHECK_BUILD)
