#!/usr/bin/env python3
"""The notices that the Windows program ships for what it bundles, generated
from the sources themselves rather than typed.

  notices.py qt SOURCE BUILD VERSION SUMS OUT -- OPTION...
      After Qt's configure: which qt_attribution.json entries of the Qt
      source each DLL of the build holds (what its sources compile and
      include), with their licences, the Debian version, the checksums of
      the source files and the configure options, as JSON.
  notices.py package QTJSON COPYRIGHT PROGRAM VERSION NOTICES LICENCE -- DLL...
      The notices text for the DLLs shipped (Qt's from QTJSON, the MinGW-w64
      runtime's from Debian's copyright files of the packages that hold
      them), and the installer's licence page: the program's own terms from
      its Debian copyright file, then the notices."""

import json
import os
import re
import shlex
import subprocess
import sys
import textwrap

# --- qt: reading the Qt build -------------------------------------------------

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.M)


def ninja_edges(build):
    """The build statements of build.ninja: (outputs, rule, inputs, variables)."""
    with open(os.path.join(build, "build.ninja"), encoding="utf-8") as f:
        text = f.read().replace("$\n", "")
    edges = []
    current = None
    for line in text.splitlines():
        if line.startswith("build "):
            # Split on unescaped spaces and colons, keeping "$ " and "$:" as literals.
            body = line[len("build "):].replace("$$", "\0")
            head, _, tail = re.split(r"(?<!\$)(:)", body, maxsplit=1)
            outputs = [unescape(p) for p in re.split(r"(?<!\$) ", head) if p and p != "|"]
            parts = [p for p in re.split(r"(?<!\$) ", tail.strip()) if p]
            rule, inputs = parts[0], []
            for p in parts[1:]:
                if p == "||":
                    break
                if p != "|":
                    inputs.append(unescape(p))
            current = (outputs, rule, inputs, {})
            edges.append(current)
        elif line.startswith("  ") and current and "=" in line:
            name, _, value = line.strip().partition("=")
            current[3][name.strip()] = value.strip()
        elif not line.startswith(" "):
            current = None
    return edges


def unescape(path):
    return path.replace("$ ", " ").replace("$:", ":").replace("\0", "$")


def include_dirs(build, variables):
    words = shlex.split(variables.get("INCLUDES", "") + " " + variables.get("FLAGS", ""))
    dirs, forced, i = [], [], 0
    while i < len(words):
        word = words[i]
        for flag, into in (("-I", dirs), ("-isystem", dirs), ("-include", forced)):
            if word == flag and i + 1 < len(words):
                into.append(words[i + 1])
                i += 1
                break
            if word.startswith(flag) and len(word) > len(flag) and flag != "-include":
                into.append(word[len(flag):])
                break
        i += 1
    absolute = lambda p: os.path.normpath(os.path.join(build, p))  # noqa: E731
    return [absolute(d) for d in dirs], [absolute(f) for f in forced]


def reached_files(starts, dirs, roots):
    """Every file of the source or build tree that the starts include, directly
    or not; every #include counts, whatever #if surrounds it, so that nothing
    the compiler may have read is missed."""
    seen = set()
    todo = [os.path.normpath(s) for s in starts]
    while todo:
        path = todo.pop()
        if path in seen or not path.startswith(roots) or not os.path.isfile(path):
            continue
        seen.add(path)
        try:
            with open(path, encoding="latin-1") as f:
                text = f.read()
        except OSError:
            continue
        for kind, name in INCLUDE.findall(text):
            candidates = ([os.path.dirname(path)] if kind == '"' else []) + dirs
            for folder in candidates:
                found = os.path.normpath(os.path.join(folder, name))
                if os.path.isfile(found):
                    todo.append(found)
                    break
    return seen


def dll_sources(edges, build, where):
    """For each DLL the build links: its objects, with their sources and
    include folders, following the static libraries linked into it."""
    producer = {}
    for edge in edges:
        for output in edge[0]:
            producer[output] = edge
    dlls = {}
    for outputs, rule, inputs, _ in edges:
        dll = next((o for o in outputs if o.lower().endswith(".dll")), None)
        if not dll or "LINKER" not in rule:
            continue
        objects, todo, done = {}, list(inputs), set()
        while todo:
            item = todo.pop()
            if item in done or item not in producer:
                continue
            done.add(item)
            _, item_rule, item_inputs, variables = producer[item]
            if item.endswith(".obj") and "COMPILER" in item_rule and item_inputs:
                dirs, forced = include_dirs(build, variables)
                objects[item] = (where(item_inputs[0]), [where(d) for d in dirs], [where(f) for f in forced])
            elif item.endswith(".a") and "STATIC_LIBRARY" in item_rule:
                todo.extend(item_inputs)
            # An import library belongs to another DLL, which has notices of its own.
        dlls[dll] = objects
    return dlls


def recorded_deps(build, where):
    """What the compiler read for each object, from ninja's log of the build;
    empty where the tree was only configured."""
    out = subprocess.run(["ninja", "-C", build, "-t", "deps"], capture_output=True, text=True).stdout
    deps, current = {}, None
    for line in out.splitlines():
        if line and not line[0].isspace():
            current = line.split(":")[0] if "#deps" in line else None
            if current:
                deps[current] = set()
        elif current and line.strip():
            deps[current].add(where(line.strip()))
    return deps


def relocation(source, build):
    """Maps the paths recorded at configure time onto where the trees are now."""
    recorded = {}
    with open(os.path.join(build, "CMakeCache.txt"), encoding="utf-8") as f:
        for line in f:
            name, _, value = line.strip().partition("=")
            recorded[name.split(":")[0]] = value
    pairs = [(os.path.normpath(recorded.get("CMAKE_HOME_DIRECTORY", source)), source),
             (os.path.normpath(recorded.get("CMAKE_CACHEFILE_DIR", build)), build)]

    def where(path):
        path = os.path.normpath(os.path.join(build, path))
        for old, new in pairs:
            if path == old or path.startswith(old + os.sep):
                return new + path[len(old):]
        return path

    return where


def attributions(source):
    entries = []
    for folder, subdirs, names in os.walk(source):
        subdirs[:] = sorted(d for d in subdirs if not (folder == source and d in ("tests", "util", "examples")))
        if "qt_attribution.json" not in names:
            continue
        with open(os.path.join(folder, "qt_attribution.json"), encoding="utf-8") as f:
            data = json.loads(f.read(), strict=False)
        for entry in data if isinstance(data, list) else [data]:
            entry["_dir"] = folder
            entries.append(entry)
    return entries


def entry_covers(entry, files, compiled):
    folder = entry["_dir"]
    if entry.get("Files"):
        wanted = {os.path.normpath(os.path.join(folder, f)) for f in entry["Files"].split()}
        return bool(wanted & files)
    path = os.path.normpath(os.path.join(folder, entry.get("Path", ".")))
    # An entry that names nothing, in one of Qt's own folders, is about code
    # in that folder's sources, not about every header there.
    if "Path" not in entry and "3rdparty" not in path.split(os.sep):
        files = compiled
    return path in files or any(f.startswith(path + os.sep) for f in files)


def read_text(folder, names):
    texts = []
    for name in (names if isinstance(names, list) else names.split()):
        with open(os.path.join(folder, name), encoding="utf-8", errors="replace") as f:
            texts.append(f.read().strip())
    return "\n\n".join(texts)


def qt_command(source, build, version, sums, out, options):
    source, build = os.path.abspath(source), os.path.abspath(build)
    roots = (source + os.sep, build + os.sep)
    entries = attributions(source)
    result = {"version": version, "options": options, "dlls": {}, "entries": {}}
    with open(sums, encoding="utf-8") as f:
        result["sources"] = [line.split() for line in f if line.strip()]
    where = relocation(source, build)
    deps = recorded_deps(build, where)
    for dll, objects in sorted(dll_sources(ninja_edges(build), build, where).items()):
        compiled = {source_file for source_file, _, _ in objects.values()}
        # What the compiler read, where the build recorded it; otherwise every
        # file the includes reach.
        files = set().union(compiled, *(deps[o] for o in objects if o in deps))
        groups = {}
        for o, (source_file, dirs, forced) in objects.items():
            if o not in deps:
                groups.setdefault(tuple(dirs), set()).update([source_file] + forced)
        for dirs, starts in groups.items():
            files |= reached_files(starts, list(dirs), roots)
        # How many objects were judged by their includes alone: none after a build.
        result["unrecorded"] = result.get("unrecorded", 0) + sum(1 for o in objects if o not in deps)
        ids = []
        for entry in entries:
            if entry_covers(entry, files, compiled):
                ids.append(entry["Id"])
                if entry["Id"] not in result["entries"]:
                    folder = entry["_dir"]
                    result["entries"][entry["Id"]] = {
                        "name": entry.get("Name", entry["Id"]),
                        "version": entry.get("Version", ""),
                        "homepage": entry.get("Homepage", ""),
                        "usage": entry.get("QtUsage", ""),
                        "license": entry.get("License", ""),
                        "licenseId": entry.get("LicenseId", ""),
                        "copyright": entry.get("Copyright", "")
                        or (read_text(folder, entry["CopyrightFile"]) if entry.get("CopyrightFile") else ""),
                        "licenseText": read_text(folder, entry["LicenseFile"]) if entry.get("LicenseFile") else "",
                        "path": os.path.relpath(os.path.join(folder, entry.get("Path", ".")), source),
                    }
        result["dlls"][dll] = sorted(set(ids))
    with open(out, "w", encoding="utf-8") as f:
        json.dump(result, f, indent=1, sort_keys=True)


# --- package: the notices and the licence page --------------------------------

LGPL3 = "/usr/share/common-licenses/LGPL-3"
GPL3 = "/usr/share/common-licenses/GPL-3"


def dep5(path):
    """The paragraphs of a Debian machine-readable copyright file, as dicts."""
    paragraphs = []
    with open(path, encoding="utf-8") as f:
        for block in re.split(r"\n\s*\n", f.read()):
            fields, last = {}, None
            for line in block.splitlines():
                if line[:1] in (" ", "\t") and last:
                    fields[last] += "\n" + line
                elif ":" in line:
                    last, _, value = line.partition(":")
                    fields[last] = value.strip()
            if fields:
                paragraphs.append(fields)
    return paragraphs


def debian_package(path):
    out = subprocess.run(["dpkg", "-S", os.path.realpath(path)], capture_output=True, text=True, check=True).stdout
    package = out.split(":")[0].strip()
    version = subprocess.run(["dpkg-query", "-W", "-f=${Version}", package],
                             capture_output=True, text=True, check=True).stdout.strip()
    return package, version


def gcc_exception(copyright_file):
    with open(copyright_file, encoding="utf-8") as f:
        text = f.read()
    start = text.index("GCC RUNTIME LIBRARY EXCEPTION")
    end = text.index("requirements of the license of GCC.", start) + len("requirements of the license of GCC.")
    return text[start:end]


def winpthreads_notice(copyright_file):
    paragraphs = dep5(copyright_file)
    texts = {p["License"].split("\n")[0].strip(): p["License"] for p in paragraphs
             if "Files" not in p and "License" in p}
    parts, licences = [], []
    for p in paragraphs:
        files = p.get("Files", "")
        if "winpthreads/" not in files or "tests_pthread" in files:
            continue
        name = p["License"].split("\n")[0].strip()
        body = p["License"].partition("\n")[2]
        parts.append("Files: %s\nCopyright: %s\nLicence: %s%s" % (
            " ".join(files.split()), " ".join(p.get("Copyright", "").split("\n")), name,
            "\n" + undent(body) if body.strip() else ""))
        if not body.strip() and name in texts and name not in licences:
            licences.append(name)
    for name in licences:
        parts.append("Licence %s:\n%s" % (name, undent(texts[name].partition("\n")[2])))
    return "\n\n".join(parts)


def undent(text):
    return "\n".join("" if line.strip() == "." else line[1:] if line.startswith(" ") else line
                     for line in text.splitlines())


def program_terms(copyright_file, program, version):
    for p in dep5(copyright_file):
        if p.get("Files", "").strip() == "*":
            licence = p["License"]
            name, _, body = licence.partition("\n")
            return "%s %s\nCopyright %s\n\nLicence: %s\n%s" % (
                program, version, p["Copyright"].strip(), name.strip(), undent(body).strip())
    raise SystemExit("no 'Files: *' paragraph in " + copyright_file)


def para(text):
    return textwrap.fill(text, 78, break_long_words=False, break_on_hyphens=False)


def rule(title):
    return "\n\n" + "=" * 78 + "\n" + title + "\n" + "=" * 78 + "\n\n"


def package_command(qt_json, copyright_file, program, version, notices_out, licence_out, dlls):
    with open(qt_json, encoding="utf-8") as f:
        qt = json.load(f)
    qt_prefix = os.path.dirname(os.path.abspath(qt_json))
    summary, sections, texts = [], [], []
    qt_ids, qt_dlls, runtime = [], [], []
    for dll in dlls:
        name = os.path.basename(dll)
        relative = os.path.relpath(os.path.realpath(dll), os.path.realpath(qt_prefix)).replace(os.sep, "/")
        if relative in qt["dlls"]:
            ids = qt["dlls"][relative]
            qt_dlls.append(name)
            qt_ids += [i for i in ids if i not in qt_ids]
            names = ", ".join(qt["entries"][i]["name"] for i in ids)
            summary.append("%s: Qt %s (LGPL-3.0)%s" % (name, qt["version"].split("+")[0],
                                                       "; inside it: " + names if names else ""))
        else:
            runtime.append(dll)

    upstream = qt["version"].split("+")[0]
    sources = "\n".join("  %s  SHA-256 %s" % (file, sha) for sha, file in qt["sources"])
    sections.append(rule("Qt %s" % upstream) + "\n\n".join([
        para("This program uses the Qt toolkit, version %s, Copyright (C) The Qt Company Ltd. and other "
             "contributors, under the GNU Lesser General Public License version 3 (LGPL-3.0-only), whose text "
             "follows below together with the GNU General Public License version 3 that it refers to. %s are "
             "Qt, built without changes from the upstream tarball of Debian's qt6-base source package, "
             "version %s, without Debian's own patches. The source package's files:"
             % (upstream, ", ".join(qt_dlls), qt["version"])),
        sources,
        para("The source is available from Debian's archive; on a Debian system:"),
        "  apt-get source qt6-base=%s" % qt["version"],
        para("It was configured for Windows (x86_64-w64-mingw32, MinGW-w64 GCC) with these options:"),
        "\n".join("  " + o for o in qt["options"]),
        para("The program loads these libraries at run time; you may replace them with your own build of "
             "Qt %s." % upstream)]))

    sections.append(rule("Third-party software inside Qt"))
    licence_texts = {}
    for i in qt_ids:
        e = qt["entries"][i]
        in_dlls = [os.path.basename(d) for d in dlls if i in qt["dlls"].get(
            os.path.relpath(os.path.realpath(d), os.path.realpath(qt_prefix)).replace(os.sep, "/"), [])]
        key = e["licenseText"].strip()
        number = licence_texts.setdefault(key, len(licence_texts) + 1) if key else None
        sections.append("%s%s\n  In: %s\n  Qt source: %s\n%s  Licence: %s%s%s\n  Copyright:\n%s\n\n" % (
            e["name"], " " + e["version"] if e["version"] else "", ", ".join(in_dlls), e["path"],
            "  Homepage: %s\n" % e["homepage"] if e["homepage"] else "", e["license"],
            " (%s)" % e["licenseId"] if e["licenseId"] else "",
            ", text %d below" % number if number else "",
            "\n".join("    " + line.strip() for line in e["copyright"].splitlines())))

    for dll in runtime:
        name = os.path.basename(dll)
        package, package_version = debian_package(dll)
        doc = "/usr/share/doc/%s/copyright" % package
        if name.startswith("libwinpthread"):
            summary.append("%s: winpthreads of MinGW-w64 (MIT and BSD-3-Clause)" % name)
            sections.append(rule("%s: winpthreads, MinGW-w64" % name) + para(
                "From Debian's package %s, version %s; its copyright file says:" % (package, package_version))
                + "\n\n" + winpthreads_notice(doc))
        elif name.startswith(("libstdc++", "libgcc")):
            summary.append("%s: GCC runtime library (GPL-3.0-or-later WITH GCC-exception-3.1)" % name)
            sections.append(rule("%s: the GCC runtime library" % name) + para(
                "Copyright (C) Free Software Foundation, Inc. From Debian's package %s, version %s. "
                "The GCC runtime libraries are licensed under the GNU General Public License version 3 or "
                "later, with the GCC Runtime Library Exception version 3.1, which follows below."
                % (package, package_version)))
            if "GCC RUNTIME LIBRARY EXCEPTION" not in "".join(texts):
                texts.append(rule("GCC Runtime Library Exception 3.1") + gcc_exception(doc))
        else:
            raise SystemExit("no notices known for %s: say in cmake/windows/notices.py what it holds" % dll)

    for path, title in ((LGPL3, "GNU Lesser General Public License version 3"),
                        (GPL3, "GNU General Public License version 3")):
        with open(path, encoding="utf-8") as f:
            texts.insert(len(texts) if title.startswith("GNU G") else 0, rule(title) + f.read().strip())
    for text, number in licence_texts.items():
        texts.append(rule("Licence text %d" % number) + text)

    head = ("%s %s: notices for the third-party software it comes with\n\n%s\n\n%s"
            % (program, version, para("The program itself is not covered by these notices; its own terms are "
                                      "in the licence that the installer shows. Beside the program are:"), "\n".join(textwrap.fill(s, 78, initial_indent="  ", subsequent_indent="      ")
                                            for s in summary)))
    notices = head + "".join(sections) + "".join(texts) + "\n"
    write_windows_text(notices_out, notices)
    terms = program_terms(copyright_file, program, version)
    write_windows_text(licence_out, terms + "\n\n" + para(
        "The program comes with third-party software under its own licences, listed below and in %s "
        "beside the program." % os.path.basename(notices_out)) + "\n\n" + "=" * 78 + "\n\n" + notices)


def write_windows_text(path, text):
    """CRLF and a byte order mark, which Notepad and NSIS's licence page read as UTF-8."""
    with open(path, "w", encoding="utf-8-sig", newline="\r\n") as f:
        f.write(text)


if __name__ == "__main__":
    args = sys.argv[1:]
    rest = args[args.index("--") + 1:] if "--" in args else []
    args = args[:args.index("--")] if "--" in args else args
    if args[:1] == ["qt"] and len(args) == 6:
        qt_command(*args[1:], rest)
    elif args[:1] == ["package"] and len(args) == 7:
        package_command(*args[1:], rest)
    else:
        raise SystemExit(__doc__)
