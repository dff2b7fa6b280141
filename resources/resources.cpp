// The resource bundles register themselves before main() runs; this file only
// gives the library a translation unit of its own.
namespace tonquill_resources {
int anchor = 0;
}
