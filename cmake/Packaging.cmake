# Install rules and the Debian package.
install(TARGETS sattrail RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
