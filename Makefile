# make test  — install what is missing, build both trees, run every test
# make demo  — the main job end to end (see README.md)
# make viewer — the viewer the demo installed into, on your display
# make medium — the installation medium of the Search variant in build/medium

JOBS ?= $(shell nproc)
NATIVE := build/native
WIN32 := build/win32
# The 64-bit check tree: the Wine suite's home where 32-bit programs cannot run.
WIN64 := build/win64
# The fuzz tree: clang, the code built for libFuzzer. FUZZ_SECONDS per fuzzer.
FUZZ ?= build/fuzz
FUZZ_SECONDS ?= 20

.PHONY: test deps native win32 win64 imports test-native test-win32 fuzz mutants samples demo viewer medium bench-plugin clean

test: deps native win32 imports test-native fuzz test-win32

deps:
	@tools/install-deps.sh

# Configured on every run (a few seconds): a tree configured before a folder
# got its CMakeLists.txt would otherwise never notice it.
$(NATIVE)/CMakeCache.txt: FORCE
	cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=Debug > /dev/null

$(WIN32)/CMakeCache.txt: FORCE
	cmake -S . -B $(WIN32) -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake > /dev/null

FORCE:

native: $(NATIVE)/CMakeCache.txt
	cmake --build $(NATIVE) -j $(JOBS)

win32: $(WIN32)/CMakeCache.txt
	cmake --build $(WIN32) -j $(JOBS)

$(WIN64)/CMakeCache.txt: FORCE
	cmake -S . -B $(WIN64) -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake > /dev/null

win64: $(WIN64)/CMakeCache.txt
	cmake --build $(WIN64) -j $(JOBS)

# Every program of the installation medium imports only functions that
# Windows 2000 has, by the reviewed list tools/windows-imports.txt; objdump
# reads the import tables, so this needs no Wine.
imports: win32
	tools/pe_imports.py $$(find $(WIN32)/medium -iname '*.exe' -o -iname '*.dll' -o -iname '*.api')

test-native: native
	ctest --test-dir $(NATIVE) --output-on-failure -j $(JOBS)

# One X display for the whole Wine suite; tools/wine-run.sh starts its own
# only when none is set. On a machine whose kernel cannot execute 32-bit x86
# programs, 32-bit Wine cannot start: the 32-bit tree is still built (and its
# imports checked), and the suite runs on the 64-bit check tree of the same
# sources under 64-bit Wine instead. TARVEK_REQUIRE_WINE=1 makes that
# fallback an error, as is a machine that runs neither.
test-win32: win32
	@if tools/runs-32bit.sh; then \
	  tools/with-display.sh ctest --test-dir $(WIN32) --output-on-failure; \
	elif test -z "$(TARVEK_REQUIRE_WINE)" && tools/runs-64bit-wine.sh; then \
	  echo "test-win32: this machine cannot execute 32-bit x86 programs; the Wine suite runs on"; \
	  echo "test-win32: the 64-bit build of the same sources ($(WIN64)) under 64-bit Wine."; \
	  $(MAKE) --no-print-directory win64 && tools/with-display.sh ctest --test-dir $(WIN64) --output-on-failure; \
	else \
	  echo "test-win32: NOT RUN: this machine runs neither 32-bit nor 64-bit Wine."; \
	  echo "test-win32: The win32 tree was built; none of its tests ran."; \
	  test -z "$(TARVEK_REQUIRE_WINE)"; \
	fi

$(FUZZ)/CMakeCache.txt: FORCE
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVEK_FUZZ=ON \
	  -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link > /dev/null

# The catalogue readers under libFuzzer with AddressSanitizer, briefly; for a
# longer run: make fuzz FUZZ_SECONDS=600
fuzz: deps $(FUZZ)/CMakeCache.txt
	cmake --build $(FUZZ) -j $(JOBS) --target fuzz_database fuzz_mapping catalogue_fuzz_seeds fuzz_sbi sbi_fuzz_seeds \
	  fuzz_ling ling_fuzz_seeds fuzz_versioninfo installer_fuzz_seeds
	tests/fuzz/run-fuzzers.sh $(FUZZ) $(FUZZ_SECONDS)

# Plants each fault of tools/mutants.txt in turn and runs the tests named for
# it in build/mutants; not part of make test. MUTANTS_ARGS=--wine adds the
# faults whose tests run under Wine, --only TEXT picks faults by name.
mutants: deps
	tools/mutants.py --jobs $(JOBS) $(MUTANTS_ARGS)

# The sample PDF collection and its Slovak and English indexes (standins/samples).
samples: deps $(NATIVE)/CMakeCache.txt
	cmake --build $(NATIVE) -j $(JOBS) --target tarvek-index tarvek-query
	LSAN_OPTIONS=suppressions=$(CURDIR)/tools/lsan.supp standins/samples/build_samples.sh build/samples $(NATIVE)/standins/indexer/tarvek-index

# The story a user lives, through the real windows under Wine: install from
# the medium, add the sample indexes, search, read and step through the
# results (tools/demo/demo.py). DEMO_VISIBLE=1 shows it on your display.
# Where 32-bit programs cannot run, on the 64-bit check tree under 64-bit Wine.
demo: samples
	@if tools/runs-32bit.sh 2>/dev/null; then \
	  $(MAKE) --no-print-directory win32 medium && tools/demo/run.sh; \
	else \
	  echo "demo: this machine cannot execute 32-bit x86 programs; the demo runs the 64-bit build"; \
	  echo "demo: of the same sources ($(WIN64)) under 64-bit Wine."; \
	  $(MAKE) --no-print-directory win64 medium MEDIUM_TREE=$(WIN64) && \
	  TARVEK_DEMO_TREE=$(WIN64) TARVEK_DEMO_WINE=tools/wine64-run.sh tools/demo/run.sh; \
	fi

# The stand-in viewer with the plug-in the demo installed, to try by hand.
viewer:
	tools/demo/viewer.sh

# The installation medium of the Search variant, laid out as delivered
# (installer/medium): tarvinst.exe, TARVINST.INF, the licence, ZaZiruDA.exe
# and the plug-in files in PLUGIN\.
MEDIUM_TREE ?= $(WIN32)
medium: deps $(MEDIUM_TREE)/CMakeCache.txt
	cmake --build $(MEDIUM_TREE) -j $(JOBS) --target medium
	rm -rf build/medium
	cp -r $(MEDIUM_TREE)/medium build/medium

# Searches through query.API in the stand-in viewer under Wine on a generated
# collection of 10,000 PDF files, timed per query class (bench/README.md). The
# collection and its indexes are made once into build/bench-plugin. Not part
# of make test.
bench-plugin:
	bench/plugin/run.sh $(BENCH_ARGS)

clean:
	rm -rf build
