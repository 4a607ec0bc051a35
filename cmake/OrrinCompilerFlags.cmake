# Warnings, floating-point rules and sanitizers shared by every target.

add_library(orrin_warnings INTERFACE)
target_compile_options(orrin_warnings INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor)

# The engine decides its errors by testing for infinities and not-a-number,
# and accumulates literal digits as a rounded product and a rounded sum: keep
# IEEE arithmetic and contraction off.
add_compile_options(-ffp-contract=off)

foreach(flags_var CMAKE_CXX_FLAGS CMAKE_CXX_FLAGS_RELEASE CMAKE_CXX_FLAGS_RELWITHDEBINFO
                  CMAKE_CXX_FLAGS_DEBUG CMAKE_CXX_FLAGS_MINSIZEREL)
    string(REGEX MATCH "-f(fast-math|finite-math-only|no-math-errno)|-O[f]ast|-march=native" bad "${${flags_var}}")
    if(bad)
        message(FATAL_ERROR "${flags_var} holds ${bad}; the engine needs IEEE arithmetic")
    endif()
endforeach()

if(ORRIN_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

# Every library linked into a fuzz target needs coverage instrumentation, or
# the fuzzer sees only the target's own few lines.
if(ORRIN_FUZZ)
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all)
    add_link_options(-fsanitize=address,undefined)
endif()

# Hardened as Debian builds its packages (dpkg-buildflags): checked string and
# memory calls where the optimiser knows the sizes, a guarded stack, and
# relocations that turn read-only once the program has started; on Windows,
# where the loader does that, a randomised base and no executable data.
if(NOT ORRIN_SANITIZE AND NOT ORRIN_FUZZ)
    add_compile_options($<$<NOT:$<CONFIG:Debug>>:-D_FORTIFY_SOURCE=2> -fstack-protector-strong)
    if(WIN32)
        # mingw's stack guard and checked calls live in libssp, which the
        # driver links only when told at link time too.
        add_link_options(-fstack-protector-strong
                         LINKER:--dynamicbase LINKER:--nxcompat LINKER:--high-entropy-va)
    else()
        add_link_options(LINKER:-z,relro LINKER:-z,now)
    endif()
endif()
