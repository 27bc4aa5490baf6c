# The Debian package: `cpack -G DEB` in a build folder (scripts/package.sh makes a release build for it).
set(CPACK_PACKAGE_NAME mitoran)
set(CPACK_PACKAGE_VENDOR Quorvan)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "overtime, paid-leave and pay tracker for one employee")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "ミトラン (残業時間管理) records the times an employee arrives at work and leaves, day by day,\n"
    "and computes each month's ordinary and late-night overtime, work time, paid leave, substitute days\n"
    "off and absences against an overtime target. It keeps a paid-leave ledger, totals ranges of months,\n"
    "estimates pay and writes CSV files. Includes the command-line twin mitoran-cli and the idle\n"
    "watcher kestrow.")
set(CPACK_PACKAGE_CONTACT "Quorvan <mitoran@quorvan.jp>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://quorvan.jp/mitoran/")
# The libraries come from dpkg-shlibdeps; the window also needs the platform plugins, a Japanese font and
# Qt's Japanese translations, which no library link names.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-ipafont-gothic | fonts-japanese-gothic, qt6-translations-l10n")
include(CPack)
