# One entry point: make test | make demo | make bench | make asan | make fuzz
.PHONY: deps build test demo bench asan fuzz package abi abi-update clean mutants

deps:
	@bash scripts/install-deps.sh

build: deps
	cmake --preset default >/dev/null
	cmake --build --preset default

# The suite offscreen, then again in real windows (under Xvfb when there is no display).
test: build
	ctest --preset default
	bash scripts/test-x.sh

# Each fuzz target for FUZZ_SECONDS (default 60); `make fuzz FUZZ_TARGETS="settings keymap"` runs some.
fuzz: deps
	cmake --preset fuzz >/dev/null
	cmake --build --preset fuzz --target fuzz_all
	bash scripts/fuzz.sh $(FUZZ_TARGETS)

asan: deps
	cmake --preset asan >/dev/null
	cmake --build --preset asan
	ctest --preset asan

demo: build
	@bash scripts/demo.sh build/default/bin/jobhost

bench: deps
	cmake --preset release >/dev/null
	cmake --build --preset release
	build/release/bin/pdtbench --markdown=out/bench.md

# Debian packages in build/package, checked with lintian and by a host built against them.
package: deps
	cmake --preset package >/dev/null
	cmake --build --preset package
	cd build/package && cpack
	bash scripts/check-packages.sh build/package

# The libraries' binary interface against abi/; abi-update writes the baselines after the soname moved.
abi: build
	bash scripts/abi.sh build/default

abi-update: build
	bash scripts/abi.sh build/default --update

clean:
	rm -rf build out

# The mutation score: each fault of scripts/mutants.list in a scratch copy, rebuilt and tested; out/mutants.md.
# `make mutants FOLDERS=node` runs one folder's faults.
mutants:
	python3 scripts/mutants --folders "$(FOLDERS)"
