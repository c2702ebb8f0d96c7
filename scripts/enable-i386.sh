#!/usr/bin/env bash
# The shipped build is 32-bit. Some kernels (virtual machines without IA-32
# emulation) cannot run 32-bit executables at all, and with them not 32-bit Wine;
# there user-mode QEMU runs the 32-bit Wine loader through binfmt_misc. Slow
# (about 40 s to start a process) but real. Needs root; idempotent.
set -euo pipefail

i386_runs() { /usr/lib/wine/wine --version >/dev/null 2>&1; }

i386_runs && exit 0
if [ "$(id -u)" -ne 0 ]; then
    echo "enable-i386: this kernel cannot run 32-bit programs; run as root to enable emulation" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
dpkg-query -W -f='${Status}' qemu-user 2>/dev/null | grep -q 'ok installed' \
    || apt-get install -y -qq --no-install-recommends qemu-user >/dev/null
mountpoint -q /proc/sys/fs/binfmt_misc || mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
if [ ! -e /proc/sys/fs/binfmt_misc/qemu-i386 ]; then
    printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386:' \
        >/proc/sys/fs/binfmt_misc/register
fi
i386_runs || { echo "enable-i386: 32-bit Wine still does not start" >&2; exit 1; }
