// A shared object with none of the entry points a driver file exports.
extern "C" int zk_not_a_driver(void)
{
    return 0;
}
