# The release package. Each width installs into its own folder (x86/ or x64/): the DLL, both import
# libraries and the programs; both install include/ (zavsys.h, zavsys_features.h), docs/ and the third
# parties' notices. One zip holds both widths: both trees installed into one folder, zipped by
# scripts/package.sh.
if(ZVT_BITS EQUAL 32)
  set(ZVT_PACKAGE_ARCH x86)
else()
  set(ZVT_PACKAGE_ARCH x64)
endif()

install(TARGETS zavsys RUNTIME DESTINATION ${ZVT_PACKAGE_ARCH} ARCHIVE DESTINATION ${ZVT_PACKAGE_ARCH})
install(FILES $<TARGET_LINKER_FILE_DIR:zavsys>/zavsys.lib DESTINATION ${ZVT_PACKAGE_ARCH})
set(ZVT_SHIPPED_MODULES zavsys zvtinfo)
install(TARGETS zvtinfo RUNTIME DESTINATION ${ZVT_PACKAGE_ARCH})
if(TARGET TestZavit${ZVT_BITS})
  install(TARGETS TestZavit${ZVT_BITS} RUNTIME DESTINATION ${ZVT_PACKAGE_ARCH})
  list(APPEND ZVT_SHIPPED_MODULES TestZavit${ZVT_BITS})
endif()
install(FILES ${PROJECT_SOURCE_DIR}/THIRD-PARTY-NOTICES.txt DESTINATION .)
set(ZVT_PUBLIC_HEADERS zavsys.h zavsys_features.h zavsys_cpuid.h zavsys_caches.h zavsys_topology.h zavsys_uarch.h)
list(TRANSFORM ZVT_PUBLIC_HEADERS PREPEND ${PROJECT_SOURCE_DIR}/library/)
install(FILES ${ZVT_PUBLIC_HEADERS} DESTINATION include)
install(FILES ${PROJECT_SOURCE_DIR}/docs/reference.md DESTINATION docs)
# The C# and Python declarations (zavsys.py finds the DLL at ../../x64 or ../../x86), with their examples.
install(FILES ${PROJECT_SOURCE_DIR}/bindings/csharp/Zavsys.cs DESTINATION bindings/csharp)
install(FILES ${PROJECT_SOURCE_DIR}/bindings/python/zavsys.py DESTINATION bindings/python)
install(FILES ${PROJECT_SOURCE_DIR}/docs/bindings.md DESTINATION docs)
install(FILES ${PROJECT_SOURCE_DIR}/docs/examples/details.cs ${PROJECT_SOURCE_DIR}/docs/examples/details.py
        DESTINATION docs/examples)

# For consumers, in the width's folder: a CMake package (find_package(zavsys CONFIG) gives zavsys::zavsys;
# the version file refuses the other width) and a pkg-config file.
include(CMakePackageConfigHelpers)
configure_file(${PROJECT_SOURCE_DIR}/cmake/zavsysConfig.cmake.in zavsysConfig.cmake @ONLY)
write_basic_package_version_file(zavsysConfigVersion.cmake COMPATIBILITY SameMajorVersion)
configure_file(${PROJECT_SOURCE_DIR}/cmake/zavsys.pc.in zavsys.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/zavsysConfig.cmake ${CMAKE_CURRENT_BINARY_DIR}/zavsysConfigVersion.cmake
        DESTINATION ${ZVT_PACKAGE_ARCH}/cmake)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/zavsys.pc DESTINATION ${ZVT_PACKAGE_ARCH}/pkgconfig)

# Every shipped module links with a map (zavsys.dll has one already, for its no-exceptions check), and
# shipped-modules.txt names each module and its map: scripts/check-notices.py reads what the link took in
# from them. A map changes nothing in the module's bytes.
foreach(module IN LISTS ZVT_SHIPPED_MODULES)
  get_target_property(options ${module} LINK_OPTIONS)
  list(FILTER options INCLUDE REGEX "^-Wl,-Map=")
  if(options)
    string(REGEX REPLACE "^-Wl,-Map=" "" map "${options}")
  else()
    get_target_property(folder ${module} BINARY_DIR)
    set(map ${folder}/${module}.map)
    target_link_options(${module} PRIVATE -Wl,-Map=${map})
  endif()
  string(APPEND ZVT_MODULE_LINES "$<TARGET_FILE:${module}>\t${map}\n")
endforeach()
file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/shipped-modules.txt CONTENT "${ZVT_MODULE_LINES}")
