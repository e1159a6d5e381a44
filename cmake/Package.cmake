# The release package. Each width installs into its own folder (x86/ or x64/): the DLL, both import
# libraries and the programs; both install include/ (zavsys.h, zavsys_features.h) and docs/. One zip holds
# both widths: both trees installed into one folder, zipped by scripts/make-zip.sh.
if(ZVT_BITS EQUAL 32)
  set(ZVT_PACKAGE_ARCH x86)
else()
  set(ZVT_PACKAGE_ARCH x64)
endif()

install(TARGETS zavsys RUNTIME DESTINATION ${ZVT_PACKAGE_ARCH} ARCHIVE DESTINATION ${ZVT_PACKAGE_ARCH})
install(FILES $<TARGET_LINKER_FILE_DIR:zavsys>/zavsys.lib DESTINATION ${ZVT_PACKAGE_ARCH})
install(TARGETS zvtinfo RUNTIME DESTINATION ${ZVT_PACKAGE_ARCH})
if(TARGET TestZavit${ZVT_BITS})
  install(TARGETS TestZavit${ZVT_BITS} RUNTIME DESTINATION ${ZVT_PACKAGE_ARCH})
endif()
install(FILES ${PROJECT_SOURCE_DIR}/library/zavsys.h ${PROJECT_SOURCE_DIR}/library/zavsys_features.h
        DESTINATION include)
install(FILES ${PROJECT_SOURCE_DIR}/docs/reference.md DESTINATION docs)

