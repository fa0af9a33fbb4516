#!/bin/sh
# fixed-layout.sh COMMAND [ARGS...]: runs COMMAND without address-space
# randomisation (setarch -R), which every process it starts inherits.
#
# Debian's Wine has no preloader. The kernel then puts the heap of Wine's 64-bit
# loader anywhere in the gigabyte above the loader, now and then across
# 0x7ffe0000, where every Windows process needs its shared user data; that
# process fails to start ("failed to map the shared user data"), and when it is
# the desktop's explorer, no window of the session appears. With a fixed layout
# the heap starts right after the loader, far below that address.
#
# Where the personality cannot be set (some container sandboxes forbid it),
# COMMAND runs as it is. QUENLARK_FIXED_LAYOUT=1 tells scripts that re-run
# themselves through this one that they have.
export QUENLARK_FIXED_LAYOUT=1
if setarch -R true 2>/dev/null; then
  exec setarch -R "$@"
fi
exec "$@"
