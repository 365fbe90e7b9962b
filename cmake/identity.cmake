# The program's identity, kept here and in project() only: the version and
# the application id that names the desktop entry, the icon and the AppStream
# metadata. Code reads them from the generated header headly_identity.h
# (link the target headly_identity).
set(HEADLY_APP_ID io.github.headly.Headly)

configure_file(${CMAKE_CURRENT_LIST_DIR}/headly_identity.h.in
               ${CMAKE_BINARY_DIR}/generated/headly_identity.h @ONLY)
add_library(headly_identity INTERFACE)
target_include_directories(headly_identity INTERFACE ${CMAKE_BINARY_DIR}/generated)

# The day this version was released, for the AppStream metadata, the manual
# pages and the Debian changelog.
set(HEADLY_RELEASE_DATE 2026-12-08)
