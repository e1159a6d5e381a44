"""check-pe.py FILE...: each Windows module's header checksum is the one its bytes give, and its link time
stamps (file header, export directory) are zero. Prints one line per module; exit status 1 if any fails."""
import struct
import sys


def checksum(data, field):
    """The image checksum: 16-bit words summed with end-around carry, the field itself left out, plus the
    file's length."""
    total = 0
    padded = data + b"\0" * (len(data) % 2)
    for offset in range(0, len(padded), 2):
        if field <= offset < field + 4:
            continue
        total += padded[offset] | padded[offset + 1] << 8
        total = (total & 0xFFFF) + (total >> 16)
    return ((total & 0xFFFF) + (total >> 16) + len(data)) & 0xFFFFFFFF


def export_time(data, optional, sections):
    """The export directory's time stamp, or 0 when the module exports nothing."""
    magic = struct.unpack_from("<H", data, optional)[0]
    directories = optional + (96 if magic == 0x10B else 112)
    rva, size = struct.unpack_from("<II", data, directories)
    for virtual_size, virtual_address, raw_size, raw_offset in sections:
        if size and virtual_address <= rva < virtual_address + max(virtual_size, raw_size):
            return struct.unpack_from("<I", data, raw_offset + rva - virtual_address + 4)[0]
    return 0


def check(path):
    data = open(path, "rb").read()
    header = struct.unpack_from("<I", data, 0x3C)[0]
    if data[header : header + 4] != b"PE\0\0":
        return f"{path}: not a PE module"
    count, link_time = struct.unpack_from("<HI", data, header + 6)
    optional_size = struct.unpack_from("<H", data, header + 20)[0]
    optional = header + 24
    table = optional + optional_size
    sections = [struct.unpack_from("<IIII", data, table + 40 * i + 8) for i in range(count)]
    field = optional + 64
    stored, computed = struct.unpack_from("<I", data, field)[0], checksum(data, field)
    problems = []
    if stored != computed:
        problems.append(f"checksum {stored:#x}, its bytes give {computed:#x}")
    if link_time:
        problems.append(f"link time {link_time}")
    if export_time(data, optional, sections):
        problems.append(f"export directory time {export_time(data, optional, sections)}")
    return f"{path}: " + ("; ".join(problems) if problems else f"checksum {stored:#x} valid, no time stamps")


if __name__ == "__main__":
    results = [check(path) for path in sys.argv[1:]]
    print("\n".join(results))
    sys.exit(1 if any(not line.endswith("no time stamps") for line in results) else 0)
