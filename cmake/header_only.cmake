# Header-only libraries from Debian's packages, usable by native and cross builds alike:
# each header folder is linked into the build tree so the cross compiler never sees the
# host's /usr/include as a whole.
function(kvx_header_only_library target header_folder)
  if(NOT TARGET ${target})
    get_filename_component(folder_name ${header_folder} NAME)
    set(root ${CMAKE_BINARY_DIR}/header_only/${target})
    file(MAKE_DIRECTORY ${root})
    if(NOT EXISTS ${header_folder})
      message(FATAL_ERROR "${header_folder} not found: run scripts/install-deps.sh")
    endif()
    file(CREATE_LINK ${header_folder} ${root}/${folder_name} SYMBOLIC)
    add_library(${target} INTERFACE)
    target_include_directories(${target} SYSTEM INTERFACE ${root})
  endif()
endfunction()
