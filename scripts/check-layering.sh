#!/usr/bin/env bash
# Qt belongs to platform/qt (and the developer tools), libudev and the hidraw
# ioctls to platform/linux. Fails, naming the lines, when either leaks out.
set -u
root=${1:-$(git rev-parse --show-toplevel)}
cd "$root" || exit 2
status=0
qt=$(grep -rnE '#\s*include\s*[<"]Q[A-Za-z]' --include='*.h' --include='*.cpp' . \
      | grep -vE '^\./(platform/qt|tools|build[^/]*)/' || true)
if [ -n "$qt" ]; then
  echo "Qt headers included outside platform/qt:"; echo "$qt"; status=1
fi
udev=$(grep -rnE '#\s*include\s*[<"](libudev\.h|linux/hidraw\.h)' --include='*.h' --include='*.cpp' . \
      | grep -vE '^\./(platform/linux|build[^/]*)/' || true)
if [ -n "$udev" ]; then
  echo "libudev or hidraw used outside platform/linux:"; echo "$udev"; status=1
fi
[ $status -eq 0 ] && echo "layering ok"
exit $status
