"""Writing a file so that no one ever finds it half written, nor loses the file it replaces."""
from __future__ import annotations

import contextlib
import errno
import os
import stat
import tempfile
from collections.abc import Iterator


@contextlib.contextmanager
def replacing(path: str) -> Iterator[str]:
    """A temporary file beside `path` to write; when the block completes it takes the name `path` (and the
    permissions of the file it replaces). Any failure or interrupt inside the block removes it and leaves `path` as
    it was."""
    if os.path.isdir(path):
        raise IsADirectoryError(errno.EISDIR, os.strerror(errno.EISDIR), path)
    folder = os.path.dirname(os.path.abspath(path))
    handle, temporary = tempfile.mkstemp(dir=folder, prefix=f".{os.path.basename(path)}.", suffix=".part")
    os.close(handle)
    try:
        yield temporary
        os.chmod(temporary, _mode_for(path))
        os.replace(temporary, path)
    except BaseException:
        with contextlib.suppress(FileNotFoundError):
            os.unlink(temporary)
        raise


def _mode_for(path: str) -> int:
    """The permissions a file written at `path` gets: those of the file it replaces, else the usual ones."""
    try:
        return stat.S_IMODE(os.stat(path).st_mode)
    except FileNotFoundError:
        mask = os.umask(0)
        os.umask(mask)
        return 0o666 & ~mask
