# The Debian package of the programs: `cpack -G DEB` in the build folder (scripts/package).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME oruhr-printbatch)
set(CPACK_PACKAGE_VENDOR OruHR)
set(CPACK_PACKAGE_CONTACT "OruHR maintainers <maintainers@users.noreply.c-seed-f1d9408f.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Persian payroll batch: monthly payslips and HR documents")
set(CPACK_PACKAGE_DESCRIPTION [[
The payroll batch component of the OruHR HR and payroll application, with its
host program. It registers, recalculates, finalizes and prints the monthly
payslips of a payroll month, prints personnel ordinances and finalises HR
documents, over the customer's SQL Server database (through ODBC) or an
embedded SQLite database.
oruhr-host opens a demo database on its first start; oruhr-seed makes demo
databases of any size; oruhr-admin sets up, checks and upgrades an office's
database and gives its clerks' role their rights; oruhr-payroll runs a month
end from the command line: the payslip steps, posting, the bank transfer file.]])
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)

# dpkg-shlibdeps finds the libraries the programs link; the xcb and offscreen platform
# plugins come with one of them (libqt6gui6). It cannot see what Qt loads by name:
set(oruhr_runtime_packages
  # the embedded database's driver plugin, for the demo and SQLite files
  libqt6sql6-sqlite
  # the ODBC driver plugin, for the customer's SQL Server
  libqt6sql6-odbc
  # the PostgreSQL driver plugin, for an office's shared payroll server
  libqt6sql6-psql
  # Noto Sans Arabic, which the reports and their templates ask for; a fallback font lays
  # out differently and a payslip no longer fits its page
  fonts-noto-core
  # Noto Sans Arabic UI, the windows' text: the designed places fit it, not a fallback font
  fonts-noto-ui-core
)
list(JOIN oruhr_runtime_packages ", " CPACK_DEBIAN_PACKAGE_DEPENDS)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# FreeTDS is the default SQL Server driver behind an OLE DB string, but another can be
# named and the embedded database needs none; xdg-open opens the exported workbook.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "tdsodbc, xdg-utils")

include(CPack)
