"""zip-tree.py FOLDER OUT_ZIP EPOCH: FOLDER (its name as the top folder) zipped the same way every time.

Entries in byte order of their paths, folders before what they hold; every time is EPOCH (seconds, UTC,
no earlier than 1980, the first time a zip can hold); modes only 755 or 644; no extra fields, so neither
owners nor the packing machine's clock reach the zip."""
import os
import sys
import time
import zipfile


def entry(name, epoch, mode):
    info = zipfile.ZipInfo(name, time.gmtime(max(epoch, 315532800))[:6])
    info.create_system = 3  # Unix, so that the modes below are read
    info.external_attr = mode << 16
    return info


def walk(folder, top):
    """(path in the zip, path on disk) of every folder below FOLDER and every file, sorted."""
    found = []
    for parent, folders, files in os.walk(folder):
        inside = os.path.relpath(parent, folder)
        prefix = top if inside == "." else top + "/" + inside.replace(os.sep, "/")
        found += [(prefix + "/" + name + "/", os.path.join(parent, name)) for name in folders]
        found += [(prefix + "/" + name, os.path.join(parent, name)) for name in files]
    return sorted(found)


def main(folder, out, epoch):
    folder = os.path.abspath(folder)
    with zipfile.ZipFile(out, "w") as archive:
        for name, path in walk(folder, os.path.basename(folder)):
            if name.endswith("/"):
                archive.writestr(entry(name, epoch, 0o40755), b"")
                continue
            executable = os.stat(path).st_mode & 0o100
            info = entry(name, epoch, 0o100755 if executable else 0o100644)
            with open(path, "rb") as source:
                archive.writestr(info, source.read(), zipfile.ZIP_DEFLATED)


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2], int(sys.argv[3]))
