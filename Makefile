# One entry point: make test | make demo | make bench | make asan
.PHONY: deps build test demo bench asan clean

deps:
	@bash scripts/install-deps.sh

build: deps
	cmake --preset default >/dev/null
	cmake --build --preset default

test: build
	ctest --preset default

asan: deps
	cmake --preset asan >/dev/null
	cmake --build --preset asan
	ctest --preset asan

demo: build
	@bash scripts/demo.sh build/default/bin/jobhost

bench: deps
	cmake --preset release >/dev/null
	cmake --build --preset release
	build/release/bin/pdtbench

clean:
	rm -rf build out
