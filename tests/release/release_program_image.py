"""The exe players download, as binutils' objdump reads it: a 32-bit x86
image, like the game, that Windows XP SP3 starts on any x86 processor of the
game's day. So its header asks for no newer Windows than XP (5.1), every
function it imports is one that XP has (windows_xp_imports.txt, beside this
file), its code holds no SSE or SSE2 instruction, which the Pentium II and the
Athlons before the Athlon 64 lack, and its manifest holds nothing in the
asm.v1 namespace that XP's manifest parser does not know.

    release_program_image.py OBJDUMP EXE LINK-MAP MANIFEST
"""

import re
import subprocess
import sys
import xml.etree.ElementTree as ElementTree
from pathlib import Path

WINDOWS_ORDER = ["2000", "XP", "XP-SP2", "XP-SP3", "Vista", "7", "8", "8.1", "10"]
OLDEST = WINDOWS_ORDER.index("XP-SP3")
ASM_V1 = "{urn:schemas-microsoft-com:asm.v1}"
# The children of <assembly> that Windows XP's manifest parser knows in the
# asm.v1 namespace; an unknown one there makes it refuse the exe.
XP_ASSEMBLY_CHILDREN = {"assemblyIdentity", "comInterfaceExternalProxyStub", "dependency", "description", "file",
                        "noInherit", "noInheritable"}

failures = []


def fail(text):
    failures.append(text)
    print("FAIL: " + text)


def objdump(*arguments):
    return subprocess.run([sys.argv[1], *arguments], check=True, capture_output=True, text=True).stdout


def header_field(header, name):
    found = re.search(r"^" + name + r"\s+(\S+)", header, re.MULTILINE)
    return int(found.group(1), 16 if name == "Subsystem" else 10) if found else None


def check_header(header):
    if not re.search(r"file format pei-i386$", header, re.MULTILINE):
        fail("not an i386 image")
    if not re.search(r"^Magic\s+010b\s+\(PE32\)$", header, re.MULTILINE):
        fail("not PE32")
    if header_field(header, "Subsystem") != 2:
        fail("not of the Windows GUI subsystem")
    for kind in ("OSystem", "Subsystem"):
        version = (header_field(header, "Major" + kind + "Version"), header_field(header, "Minor" + kind + "Version"))
        if None in version or version > (5, 1):
            fail(f"the header's {kind} version is {version}, newer than Windows XP's 5.1")


def imports(header):
    """(DLL, function) for every import; an import by ordinal has the function '#ordinal'."""
    found, dll = [], None
    for line in header.splitlines():
        named = re.match(r"\s*DLL Name: (\S+)", line)
        if named:
            dll = named.group(1).upper()
            continue
        entry = re.match(r"\t[0-9a-f]+\t\s*(\d+)\s+(\S+)", line)
        if dll and entry:
            function = entry.group(2)
            found.append((dll, function if function != "<none>" else "#" + entry.group(1)))
        elif not line.strip():
            dll = None
    return found


def allowed_imports(path):
    allowed = {}
    for number, line in enumerate(Path(path).read_text().splitlines(), 1):
        if not line.strip() or line.startswith("#"):
            continue
        dll, function, windows = line.split()
        if windows not in WINDOWS_ORDER:
            fail(f"{path}:{number}: {windows} is no Windows this list knows")
        elif WINDOWS_ORDER.index(windows) > OLDEST:
            fail(f"{path}:{number}: {dll} {function} came with Windows {windows}: look it up at run time instead")
        allowed[(dll.upper(), function)] = windows
    return allowed


def check_imports(header, allowed):
    found = imports(header)
    if not found:
        fail("no imports read")
    for dll, function in found:
        if (dll, function) not in allowed:
            fail(f"imports {dll} {function}, which windows_xp_imports.txt does not list as on Windows XP SP3")


def code_end(link_map):
    """Where the code in .text ends: the constructor lists and the exception
    tables after it are data, which a disassembler would read as instructions."""
    found = re.search(r"^\s+0x([0-9a-f]+)\s+___CTOR_LIST__ = \.", Path(link_map).read_text(), re.MULTILINE)
    return int(found.group(1), 16) if found else None


def check_instructions(link_map):
    end = code_end(link_map)
    if end is None:
        fail("the link map names no end of the code")
        return
    code = objdump("-d", "--no-show-raw-insn", f"--stop-address={end:#x}", sys.argv[2])
    instructions = [line for line in code.splitlines() if re.match(r"\s+[0-9a-f]+:\t", line)]
    if len(instructions) < 10000:
        fail(f"only {len(instructions)} instructions disassembled")
    sse = [line.strip() for line in instructions if "%xmm" in line]
    for line in sse[:20]:
        fail("an SSE instruction: " + line)
    if len(sse) > 20:
        fail(f"and {len(sse) - 20} more")


def check_manifest(path):
    assembly = ElementTree.parse(path).getroot()
    if assembly.tag != ASM_V1 + "assembly":
        fail(f"the manifest's root is {assembly.tag}")
    for child in assembly:
        if child.tag.startswith(ASM_V1) and child.tag[len(ASM_V1):] not in XP_ASSEMBLY_CHILDREN:
            fail(f"<{child.tag[len(ASM_V1):]}> in the asm.v1 namespace, which Windows XP refuses")


header = objdump("-p", sys.argv[2])
check_header(header)
check_imports(header, allowed_imports(Path(__file__).with_name("windows_xp_imports.txt")))
check_instructions(sys.argv[3])
check_manifest(sys.argv[4])
if failures:
    sys.exit(1)
print(f"{sys.argv[2]}: PE32 for i386 and Windows XP SP3, {len(imports(header))} imports known to XP, no SSE")
