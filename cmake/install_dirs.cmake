# Where an installation puts the programs' files, below its prefix. The programs look for
# their data and the simulator beside themselves first, then here (relative to bin/).
set(KVX_INSTALL_BIN_DIR bin)
set(KVX_INSTALL_DATA_DIR share/kvxconf)
set(KVX_INSTALL_PRIVATE_LIB_DIR lib/kvxconf)
if(WIN32)
  # Windows keeps everything in the program's own folder.
  set(KVX_INSTALL_BIN_DIR .)
  set(KVX_INSTALL_DATA_DIR .)
  set(KVX_INSTALL_PRIVATE_LIB_DIR .)
endif()
