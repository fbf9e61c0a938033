# Installs the Debian packages the build, the program and its tests need, skipping those already
# present. Sourced by run.sh and test.sh from the repository root.

KESTRIX_PACKAGES=(
  g++ cmake make pkg-config              # compiler and build
  googletest libgtest-dev libgmock-dev   # unit, GL and end-to-end tests
  libbenchmark-dev                       # bench/
  freeglut3-dev                          # windows, callbacks, solids
  libgl-dev libglu1-mesa-dev libgl1-mesa-dri  # OpenGL fixed function, GLU, Mesa's llvmpipe
  libimgui-dev                           # the options window
  libsdl2-mixer-dev                      # the crash sound and the reader's message box
  xvfb xauth xdotool imagemagick x11-utils    # headless runs, input, screenshots
  xfonts-base                            # core X fonts: SDL's message box draws with them
  libstb-dev fonts-dejavu-core           # reference decoder, PNG writer, font generator
  clang                                  # libFuzzer targets
  desktop-file-utils                     # checks the installed desktop entry
  dpkg-dev                               # dpkg-shlibdeps (the package's Depends), dpkg-buildflags
  lintian                                # checks the Debian package
  appstream                              # appstreamcli: checks the metainfo
  man-db                                 # man and lexgrog: check the manual page
)

kestrix_install_deps() {
  local missing=() p
  for p in "${KESTRIX_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q '^install ok installed$' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  "${sudo[@]}" apt-get update -qq &&
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# Configures and builds into build/; arguments name the targets to build (default: all).
kestrix_build() {
  local targets=()
  [ $# -gt 0 ] && targets=(--target "$@")
  cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null &&
    cmake --build build -j"$(nproc)" "${targets[@]}"
}
