# The two commands of the README: `make demo` and `make test`.
SHELL := /bin/bash
BUILD ?= build
JOBS ?= $(shell nproc)

DEBS := cmake g++ make pkg-config \
	qt6-base-dev qt6-qpa-plugins qt6-webengine-dev libqt6webenginecore6-bin qt6-httpserver-dev qt6-websockets-dev \
	libqt6sql6-sqlite libqt6sql6-odbc unixodbc-dev tdsodbc \
	libcurl4-openssl-dev ca-certificates openssl \
	libgtest-dev libgmock-dev libbenchmark-dev \
	xvfb xauth xdotool sqlite3 curl python3 libgl-dev fonts-dejavu-core

# Headless Chromium, kept off the network.
export QT_QPA_PLATFORM ?= offscreen
export QTWEBENGINE_DISABLE_SANDBOX ?= 1
export QTWEBENGINE_CHROMIUM_FLAGS ?= --disable-gpu --disable-background-networking --disable-component-update --no-first-run

.PHONY: deps build test demo bench screenshots clean

deps:
	@missing=$$(for p in $(DEBS); do dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed$$' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
		echo "Installing: $$missing"; \
		SUDO=$$( [ "$$(id -u)" = 0 ] || echo sudo ); \
		$$SUDO apt-get update && DEBIAN_FRONTEND=noninteractive $$SUDO apt-get install -y $$missing; \
	else echo "All Debian packages present."; fi

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

test: deps build
	cd $(BUILD) && ctest --output-on-failure --timeout 900

demo: deps build
	tools/demo.sh

bench: deps build
	$(BUILD)/bench/etebligat-bench

screenshots: deps build
	mkdir -p $(BUILD)/screenshots
	$(BUILD)/etebligat-screenshots $(BUILD)/screenshots

clean:
	rm -rf $(BUILD)
