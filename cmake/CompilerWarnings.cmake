# One warning list per compiler for our own targets; third-party code is not built here.
# Warnings are errors where the project checks itself (its presets, and so its scripts and CI);
# a plain configure, as a user or a distribution makes it with a newer compiler or Qt, keeps
# them warnings.
option(DYADORA_WARNINGS_AS_ERRORS "Treat warnings in our own code as errors" OFF)

function(dyadora_set_warnings target)
    if(MSVC)
        set(warnings
            /W4          # the usual high level
            /permissive- # standard conformance
            /utf-8       # sources and literals are UTF-8 (the Greek texts)
        )
        if(DYADORA_WARNINGS_AS_ERRORS)
            list(APPEND warnings /WX)
        endif()
    else()
        set(warnings
            -Wall
            -Wextra
            -Wpedantic
            -Wshadow            # a local hiding a member or outer name
            -Wnon-virtual-dtor  # interfaces are deleted through their base
            -Wold-style-cast    # casts stay visible and checked
            -Wcast-align
            -Woverloaded-virtual
            -Wconversion        # the deal's narrowing to bytes must be spelled out
            -Wsign-conversion
            -Wnull-dereference
            -Wdouble-promotion  # single-precision arithmetic must stay single unless asked
            -Wformat=2
            -Wimplicit-fallthrough
        )
        if(DYADORA_WARNINGS_AS_ERRORS)
            list(APPEND warnings -Werror)
        endif()
    endif()
    target_compile_options(${target} PRIVATE ${warnings})
endfunction()
