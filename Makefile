# The two commands of the README: `make run` and `make test`. Everything else is a step of them.
PRESETS := native asan win32
JOBS ?= $(shell nproc)

.PHONY: run test bootstrap deps $(addprefix build-,$(PRESETS)) $(addprefix test-,$(PRESETS)) clean

# Until the viewer window exists, the main job is the command-line tool on the demo plates.
run: bootstrap build-native
	@mkdir -p build/run
	build/native/tools/platemap inspect samples/plate-g4.itf
	build/native/tools/platemap render samples/plate-g4.itf -o build/run/plate-g4.bmp
	build/native/tools/platemap render samples/plate-colour.itf --palette-display -o build/run/plate-colour-8bit.bmp

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
