# `cmake --install`: the host program with the libraries of the host
# stand-in, the module and the solid library in lib/orvane-hvac (the host
# loads the module from beside the program; everything finds its libraries
# through RPATH $ORIGIN), bin/orvane-hvac linking to the program, and the
# support files, the example product layer and the demo in share/orvane-hvac.
set(ORV_INSTALL_LIBDIR lib/orvane-hvac)
set(ORV_INSTALL_DATADIR share/orvane-hvac)

set(_installed)
foreach(_target orvane-hvac zk_riza2015z64 zk_solid_dbx orv_runtime orv_geometry orv_lisp orv_graphics
                orv_database orv_editor orv_render orv_com orv_projectdb orv_ui)
  if(TARGET ${_target})
    list(APPEND _installed ${_target})
  endif()
endforeach()
install(TARGETS ${_installed}
        RUNTIME DESTINATION ${ORV_INSTALL_LIBDIR}
        LIBRARY DESTINATION ${ORV_INSTALL_LIBDIR})
install(CODE "
  set(_bin \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin\")
  file(MAKE_DIRECTORY \"\${_bin}\")
  file(CREATE_LINK ../${ORV_INSTALL_LIBDIR}/orvane-hvac \"\${_bin}/orvane-hvac\" SYMBOLIC)
  message(STATUS \"Installing: \${_bin}/orvane-hvac -> ../${ORV_INSTALL_LIBDIR}/orvane-hvac\")")
install(DIRECTORY examples/support examples/product DESTINATION ${ORV_INSTALL_DATADIR})
install(DIRECTORY examples/demo DESTINATION ${ORV_INSTALL_DATADIR}/examples)
