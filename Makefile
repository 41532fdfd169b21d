# The two commands of the README: `make run` and `make test`. Everything else is a step of them.
PRESETS := native asan win32
JOBS ?= $(shell nproc)

.PHONY: run test bootstrap deps $(addprefix build-,$(PRESETS)) $(addprefix test-,$(PRESETS)) clean

run: bootstrap build-native
	build/native/tools/platemap archive samples/example-archive.zrv

test: bootstrap deps
	$(MAKE) test-native test-asan test-win32

bootstrap:
	@scripts/bootstrap

deps: bootstrap
	@scripts/build-win32-deps

$(addprefix build-,$(PRESETS)): build-%:
	@cmake --preset $* >/dev/null
	@cmake --build --preset $* -j $(JOBS)

$(addprefix test-,$(PRESETS)): test-%: build-%
	@ctest --preset $*

clean:
	rm -rf build
