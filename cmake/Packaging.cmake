# Installing the program like any Linux program (cmake --install) and its Debian
# package (cpack). Only the program and its desktop files install: the tests and
# benchmarks do not, and installing does not build them.
include(GNUInstallDirs)
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY TRUE)

install(TARGETS etiquetas-vorla RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES packaging/etiquetas-vorla.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES packaging/etiquetas-vorla.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
# share/etiquetas-vorla beside bin/ also tells the program that it is installed: its
# home is then the user's data folder (home::defaultFolder).
install(FILES packaging/conf.txt.exemplo DESTINATION ${CMAKE_INSTALL_DATADIR}/etiquetas-vorla)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME etiquetas-vorla)
set(CPACK_PACKAGE_VENDOR "Etiquetas VORLA")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Etiquetas de confecção VORLA em impressoras térmicas")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Etiquetas VORLA <etiquetas@localhost>")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
# The shared libraries the program links come from dpkg-shlibdeps; Qt's database
# drivers are plugins it loads by name, so they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite, libqt6sql6-odbc, unixodbc")
# The customer's SQL Server (FreeTDS), the shared store on PostgreSQL, the spooler.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "tdsodbc, libqt6sql6-psql, cups")
include(CPack)
