"""Writing a file so that no one ever finds it half written, nor loses the file it replaces.

The new file is written beside the target, in the same folder (so on the same file system), and takes the target's
name in one rename once it is complete. On Linux it is written *unnamed* (open(2) with O_TMPFILE on the folder): it
has no name in any folder until it is complete, so a process killed while writing, even by SIGKILL, leaves nothing
behind (the kernel frees an unnamed file with its last descriptor). Complete, it is linked under a hidden temporary
name (linkat(2) through /proc/self/fd) and at once renamed over the target; only a kill in the microseconds between
the two leaves that name.

Where there is no O_TMPFILE (another system, a file system without it, no /proc) it is written under that hidden
temporary name from the start, ".<name>.<random>.part", removed on any failure or interrupt (and on SIGTERM, which
the command line turns into one); a SIGKILL during the write leaves that file, never a damaged target.
"""
from __future__ import annotations

import contextlib
import errno
import io
import os
import secrets
import stat
from collections.abc import Callable, Iterator
from typing import BinaryIO, TextIO, TypeVar

_T = TypeVar("_T")

#: Whether to try an unnamed file first (tests turn it off to exercise the named one).
UNNAMED = hasattr(os, "O_TMPFILE") and os.link in os.supports_dir_fd


@contextlib.contextmanager
def replacing(path: str) -> Iterator[BinaryIO]:
    """A binary file to write, that takes the name `path` (and the permissions of the file it replaces) when the
    block completes. Any failure or interrupt inside the block leaves `path` as it was and no file beside it. The
    file is closed when the block ends; closing it inside the block is an error. A `path` that is a device, a pipe or
    a socket (`-o /dev/null`, `-o /dev/stdout`) is written into directly: it cannot be replaced."""
    if os.path.isdir(path):
        raise IsADirectoryError(errno.EISDIR, os.strerror(errno.EISDIR), path)
    if not regular_or_absent(path):  # /dev/null, /dev/stdout, a FIFO: written into; a rename would replace the node
        with open(path, "wb") as stream:
            yield stream
        return
    # through a symbolic link the file it names is replaced (the link stays a link)
    folder, target = os.path.split(os.path.realpath(path))
    mode = _mode_for(path)
    unnamed = _unnamed(folder) if UNNAMED else None
    temporary: str | None = None
    try:
        if unnamed is None:
            temporary, handle = _temporary(folder, target, lambda name: os.open(
                name, os.O_WRONLY | os.O_CREAT | os.O_EXCL, 0o600))
        else:
            handle = unnamed
        with open(handle, "wb") as file:
            yield file
            file.flush()
            os.fsync(handle)  # on disk before it takes the name: a power cut cannot leave an empty file there
            os.fchmod(handle, mode)
            if temporary is None:
                temporary, _ = _temporary(folder, target, lambda name: _link(handle, name))
            os.replace(temporary, os.path.join(folder, target))
            temporary = None
    finally:
        if temporary is not None:
            with contextlib.suppress(FileNotFoundError):
                os.unlink(temporary)


@contextlib.contextmanager
def replacing_text(path: str, newline: str | None = None) -> Iterator[TextIO]:
    """`replacing` for UTF-8 text (`newline` as for open())."""
    with replacing(path) as file:
        text = io.TextIOWrapper(file, encoding="utf-8", newline=newline)
        yield text
        text.flush()
        text.detach()  # the file stays open for `replacing` to give it its name


def regular_or_absent(path: str) -> bool:
    """Whether `path` (its links followed) names a regular file or nothing: what `replacing` can put in its place."""
    try:
        return stat.S_ISREG(os.stat(path).st_mode)
    except OSError:  # nothing there (or no way to it: the folder's check says which)
        return True


def _unnamed(folder: str) -> int | None:
    """An unnamed file in `folder` that /proc can give a name later; None where the system or the file system has
    no such files."""
    try:
        handle = os.open(folder, os.O_TMPFILE | os.O_WRONLY, 0o600)
    except OSError as error:
        if error.errno in (errno.EOPNOTSUPP, errno.EISDIR, errno.EINVAL):  # EISDIR: a kernel before 3.11
            return None
        raise
    if not os.path.exists(f"/proc/self/fd/{handle}"):  # no /proc mounted: it could never be named
        os.close(handle)
        return None
    return handle


def _link(handle: int, name: str) -> None:
    """Name the unnamed file open as `handle`: linkat(2) with AT_SYMLINK_FOLLOW on its /proc link (os.link calls
    that only when given a folder's descriptor; plain link(2) would not follow the link)."""
    folder = os.open(os.path.dirname(name), os.O_RDONLY | os.O_DIRECTORY)
    try:
        os.link(f"/proc/self/fd/{handle}", os.path.basename(name), src_dir_fd=folder, dst_dir_fd=folder)
    finally:
        os.close(folder)


def _temporary(folder: str, target: str, make: Callable[[str], _T]) -> tuple[str, _T]:
    """A hidden name beside `target` that `make(name)` creates (another name while one is taken), and what `make`
    returns."""
    while True:
        name = os.path.join(folder, f".{target}.{secrets.token_hex(4)}.part")
        try:
            return name, make(name)
        except FileExistsError:
            continue


def _mode_for(path: str) -> int:
    """The permissions a file written at `path` gets: those of the file it replaces, else the usual ones."""
    try:
        return stat.S_IMODE(os.stat(path).st_mode)
    except FileNotFoundError:
        mask = os.umask(0)
        os.umask(mask)
        return 0o666 & ~mask
