// Under AddressSanitizer an allocation that cannot be satisfied ends the program unless the allocator may
// return null; the encoder's tests need the null its callers would see.
#if defined(__SANITIZE_ADDRESS__)
extern "C" const char* __asan_default_options()
{
    return "allocator_may_return_null=1";
}
#endif
