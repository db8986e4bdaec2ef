// A minimal plug-in for the connector tests: it only identifies itself.
extern "C" __attribute__((visibility("default"))) const char* ZKPluginGetName()
{
    return "Test Plug-in \xC3\xA9";
}

extern "C" __attribute__((visibility("default"))) const char* ZKPluginGetDescription()
{
    return "Names a batch after the test";
}

extern "C" __attribute__((visibility("default"))) int ZKTestPluginAnswer()
{
    return 42;
}
