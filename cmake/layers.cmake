# Each library sees the headers of its own layer and, through what it links, of the
# layers below it, and no others: a layer's folder is linked into a folder of its own
# in the build tree, and that folder is the layer's include path. An #include that
# reaches up then fails to compile, as scripts/check-includes reports it.
#   veldronix_layer_headers(veldronix_core core)
#   veldronix_layer_headers(veldronix_qt ui/qt)
function(veldronix_layer_headers target layer)
    string(REPLACE "/" "_" name "${layer}")
    set(root "${PROJECT_BINARY_DIR}/layers/${name}")
    set(link "${root}/${layer}")
    get_filename_component(parent "${link}" DIRECTORY)
    file(MAKE_DIRECTORY "${parent}")
    if(NOT IS_SYMLINK "${link}")
        file(CREATE_LINK "${PROJECT_SOURCE_DIR}/${layer}" "${link}" SYMBOLIC)
    endif()
    target_include_directories(${target} PUBLIC "${root}")
endfunction()
