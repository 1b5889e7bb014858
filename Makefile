# make test  — install what is missing, build both trees, run every test
# make demo  — the main job end to end (see README.md)

JOBS ?= $(shell nproc)
NATIVE := build/native
WIN32 := build/win32

.PHONY: test deps native win32 test-native test-win32 demo clean

test: deps native win32 test-native test-win32

deps:
	@tools/install-deps.sh

$(NATIVE)/CMakeCache.txt:
	cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=Debug

$(WIN32)/CMakeCache.txt:
	cmake -S . -B $(WIN32) -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake

native: $(NATIVE)/CMakeCache.txt
	cmake --build $(NATIVE) -j $(JOBS)

win32: $(WIN32)/CMakeCache.txt
	cmake --build $(WIN32) -j $(JOBS)

test-native: native
	ctest --test-dir $(NATIVE) --output-on-failure -j $(JOBS)

# One X display for the whole Wine suite; tools/wine-run.sh starts its own
# only when none is set.
test-win32: win32
	tools/with-display.sh ctest --test-dir $(WIN32) --output-on-failure

demo:
	@echo "The demo arrives with the search issues; see the status table in README.md."

clean:
	rm -rf build
