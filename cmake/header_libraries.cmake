# The header-only libraries of the core, {fmt} and fast_float, from the Debian
# packages libfmt-dev and libfast-float-dev. Only their own folders are copied
# into the build tree: /usr/include itself on the include path would hand a
# cross build the host's C library headers.
set(VELDRONIX_HEADER_ROOT "/usr/include" CACHE PATH "Where the fmt and fast_float header folders are found")
set(veldronix_third_party_include "${CMAKE_BINARY_DIR}/third_party/include")

foreach(entry IN ITEMS "fmt:libfmt-dev" "fast_float:libfast-float-dev")
    string(REPLACE ":" ";" entry "${entry}")
    list(GET entry 0 folder)
    list(GET entry 1 package)
    set(source "${VELDRONIX_HEADER_ROOT}/${folder}")
    if(NOT IS_DIRECTORY "${source}")
        message(FATAL_ERROR "${source} is missing: install the Debian package ${package} "
                            "(scripts/lib/common.sh ensure_build_tools does)")
    endif()
    # A fresh copy at every configure, so that a package update is seen.
    file(REMOVE_RECURSE "${veldronix_third_party_include}/${folder}")
    file(COPY "${source}" DESTINATION "${veldronix_third_party_include}")
    # Configure again when the package's headers change.
    file(GLOB_RECURSE headers "${source}/*")
    set_property(DIRECTORY "${PROJECT_SOURCE_DIR}" APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${headers})
endforeach()

# Adds the copied headers to a target, {fmt} used without its compiled library.
function(veldronix_use_header_libraries target scope)
    target_include_directories(${target} SYSTEM ${scope} "${veldronix_third_party_include}")
    target_compile_definitions(${target} ${scope} FMT_HEADER_ONLY)
endfunction()
