# The README's commands. `make run` and `make test` do every set-up step themselves.
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
REL := build/release
TST := build/test
PREFIX ?= /usr/local

.PHONY: run test bench assets deps release testbuild clean tsan install uninstall package fuzz soak

run: deps release assets
	./$(REL)/mivo

test: deps release assets testbuild
	cd $(TST) && ctest --output-on-failure -j$(JOBS)

bench: deps release assets
	./$(REL)/mivo_bench

deps:
	@bash scripts/install-deps.sh

$(REL)/Makefile:
	cmake -S . -B $(REL) -DCMAKE_BUILD_TYPE=Release -DMIVO_TESTS=OFF

release: | $(REL)/Makefile
	cmake --build $(REL) -j$(JOBS)

$(TST)/Makefile:
	cmake -S . -B $(TST) -DCMAKE_BUILD_TYPE=Debug -DMIVO_SANITIZE=ON -DMIVO_WERROR=ON -DMIVO_BENCH=OFF

testbuild: | $(TST)/Makefile
	cmake --build $(TST) -j$(JOBS)

# The resource tree is build output: made again when the generator changes or the tree is missing.
ressources/.stamp: $(REL)/mivo_assets
	rm -rf ressources.tmp
	./$(REL)/mivo_assets ressources.tmp
	rm -rf ressources
	mv ressources.tmp ressources
	touch ressources/.stamp

assets: release
	@$(MAKE) --no-print-directory ressources/.stamp

# The game installed as a program below $(PREFIX); DESTDIR=/some/folder stages the install there
# instead, as packagers do. The player's levels and settings go to the player's own folders.
# CMake's own list of installed files is rewritten by `make package`: the install keeps its own.
install: deps release assets
	DESTDIR="$(DESTDIR)" cmake --install $(REL) --prefix "$(PREFIX)"
	sed 's|^|$(DESTDIR)|' $(REL)/install_manifest.txt >$(REL)/installed-files.txt

# Removes every file the last `make install` put in place, and the folders left empty; the
# player's own files stay.
uninstall:
	@test -f $(REL)/installed-files.txt || { echo "Nothing was installed from this folder."; exit 1; }
	xargs -d '\n' rm -f -- <$(REL)/installed-files.txt
	sed 's|/[^/]*$$||' $(REL)/installed-files.txt | sort -u -r | \
		xargs -d '\n' rmdir -p --ignore-fail-on-non-empty -- 2>/dev/null || true
	rm -f $(REL)/installed-files.txt

# The Debian package (build/release/mivo_<version>_<arch>.deb), checked with lintian.
package: deps release assets
	cd $(REL) && cpack -G DEB
	lintian --fail-on error $(REL)/mivo_*.deb

# ThreadSanitizer run of the threaded tests (renderer handshake, loading screen, music worker,
# the level selection's background fitting).
tsan: deps
	cmake -S . -B build/tsan -DCMAKE_BUILD_TYPE=Debug -DMIVO_TSAN=ON -DMIVO_BENCH=OFF
	cmake --build build/tsan -j$(JOBS) --target mivo_tests
	./build/tsan/mivo_tests --gtest_filter='Assets.Handshake*:Audio.*:Loading.*:ExitDraw.IntroCard*:LevelSelect.Backgrounds*'

# The readers of hand-written files under libFuzzer (clang, build/fuzz), FUZZ_SECONDS each.
FUZZ_SECONDS ?= 60
fuzz: deps release assets
	FUZZ_SECONDS=$(FUZZ_SECONDS) FUZZ_BUILD_JOBS=$(JOBS) bash fuzz/run.sh . build/fuzz

# An hour of play on the virtual clock, then 200 level entries and exits, under the sanitizers.
SOAK_FRAMES ?= 216000
soak: deps release assets testbuild
	./$(TST)/mivo_soak soak $(SOAK_FRAMES)
	./$(TST)/mivo_soak entries 200

clean:
	rm -rf build ressources ressources.tmp
