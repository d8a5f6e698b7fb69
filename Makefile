# Front door for the two everyday commands and the occasional ones.
# Every target installs what it needs first (tools/install-deps.sh).

.PHONY: run test release bench soak fuzz screenshot clean

run:
	@tools/run.sh

test:
	@tools/test.sh

release:
	@tools/release.sh

bench:
	@tools/bench.sh

soak:
	@tools/soak.sh

fuzz:
	@tools/fuzz.sh $(or $(SECONDS),600)

screenshot:
	@tools/screenshot.sh

clean:
	rm -rf build dist
