# The two commands: `make run` starts the program under Wine, `make test`
# runs every suite. Both install what is missing first.
.PHONY: run test package bench fuzz soak clean

run:
	@bash scripts/run.sh

test:
	@bash scripts/test.sh

package:
	@bash scripts/package.sh

bench:
	@bash scripts/bench.sh

fuzz:
	@bash scripts/fuzz.sh

# make soak MINUTES=60 runs the long run of the real program for an hour.
soak:
	@MINUTES="$(MINUTES)" bash scripts/soak.sh

clean:
	rm -rf build run dist
