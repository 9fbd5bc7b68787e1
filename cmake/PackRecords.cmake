# SPDX-License-Identifier: GPL-3.0-or-later
# Packs picture files into picture records and writes them out as a C++ source of byte arrays.
#
# Run as a script, so it needs nothing but CMake on any system:
#   cmake -DOUTPUT=<file.cpp> -DHEADER=<include name> -P PackRecords.cmake -- <name> <file> ...
# Each <name> becomes `const std::span<const unsigned char> <name>` in namespace
# dyadora::assets::packed, declared by HEADER, over a constexpr array holding the record: the tag
# 6C 74 00 00, the file's length as 32-bit little-endian, then the file byte for byte.

if(NOT OUTPUT OR NOT HEADER)
    message(FATAL_ERROR "PackRecords: set OUTPUT and HEADER")
endif()

# The script's own arguments are those after "--".
set(args)
set(seen_separator FALSE)
math(EXPR last "${CMAKE_ARGC} - 1")
foreach(i RANGE ${last})
    if(seen_separator)
        list(APPEND args "${CMAKE_ARGV${i}}")
    elseif(CMAKE_ARGV${i} STREQUAL "--")
        set(seen_separator TRUE)
    endif()
endforeach()
list(LENGTH args count)
math(EXPR odd "${count} % 2")
if(count EQUAL 0 OR odd)
    message(FATAL_ERROR "PackRecords: expected pairs of <name> <file> after --")
endif()

# Sixteen bytes to a line.
string(REPEAT "0x[0-9a-f][0-9a-f], " 16 sixteen_bytes)

set(arrays "")
set(spans "")
math(EXPR last_pair "${count} - 1")
foreach(i RANGE 0 ${last_pair} 2)
    math(EXPR j "${i} + 1")
    list(GET args ${i} name)
    list(GET args ${j} file)
    if(NOT name MATCHES "^[a-z][A-Za-z0-9]*$")
        message(FATAL_ERROR "PackRecords: '${name}' is not a lowerCamelCase name")
    endif()
    if(NOT EXISTS "${file}")
        message(FATAL_ERROR "PackRecords: ${file} does not exist")
    endif()
    file(SIZE "${file}" size)
    if(size GREATER 4294967295)
        message(FATAL_ERROR "PackRecords: ${file} is too large for a record")
    endif()

    set(length "")
    foreach(shift 0 8 16 24)
        math(EXPR byte "(${size} >> ${shift}) & 255" OUTPUT_FORMAT HEXADECIMAL)
        string(REGEX REPLACE "^0x(.)$" "0x0\\1" byte "${byte}")
        string(APPEND length "${byte}, ")
    endforeach()

    string(STRIP "${length}" length_line)
    file(READ "${file}" hex HEX)
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1, " bytes "${hex}")
    string(REGEX REPLACE "(${sixteen_bytes})" "\\1\n    " bytes "${bytes}")
    string(REPLACE ", \n" ",\n" bytes "${bytes}")
    string(STRIP "${bytes}" bytes)

    string(SUBSTRING "${name}" 0 1 first)
    string(TOUPPER "${first}" first)
    string(SUBSTRING "${name}" 1 -1 rest)
    set(array "k${first}${rest}")
    get_filename_component(file_name "${file}" NAME)

    set(placement "")
    if(name MATCHES "Large$")
        set(placement "DYADORA_LARGE_RECORD ")
    endif()
    string(APPEND arrays
        "// ${file_name}, ${size} bytes\n"
        "${placement}constexpr unsigned char ${array}[] = {\n"
        "    0x6c, 0x74, 0x00, 0x00, ${length_line}\n"
        "    ${bytes}\n"
        "};\n\n")
    string(APPEND spans "const std::span<const unsigned char> ${name} { ${array} };\n")
endforeach()

# The records named ...Large are read only on screens of high density. On ELF systems they are
# kept in a section of their own that starts on a 64 KiB boundary: the kernel maps up to 64 KiB of
# a file around each page that a program reads, and so never maps them for the design's records
# and the other constants read at every start.
string(CONCAT large_records_section
    "#if defined(__ELF__)\n"
    "#define DYADORA_LARGE_RECORD [[gnu::section(\"dyadora_large_records\")]]\n"
    "#else\n"
    "#define DYADORA_LARGE_RECORD\n"
    "#endif\n\n")

file(WRITE "${OUTPUT}"
    "// Written by PackRecords.cmake from the picture files whenever one changes; do not edit.\n"
    "#include \"${HEADER}\"\n\n"
    "namespace dyadora::assets::packed {\n\n"
    "namespace {\n\n"
    "${large_records_section}"
    "${arrays}"
    "#if defined(__ELF__)\n"
    "// The section's start (GCC lays out a file's constants from the last one defined).\n"
    "alignas(65536) DYADORA_LARGE_RECORD [[gnu::used]] constexpr unsigned char kLargeRecordsStart[1] {};\n"
    "#endif\n\n"
    "} // namespace\n\n"
    "${spans}\n"
    "} // namespace dyadora::assets::packed\n")
