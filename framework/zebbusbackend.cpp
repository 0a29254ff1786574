#include "zebbusbackend.h"

namespace {
ZebBusBackend *installedBackend = nullptr;
} // namespace

ZebBusBackend::~ZebBusBackend()
{
    if (installedBackend == this)
        installedBackend = nullptr;
}

ZebBusBackend *ZebBusBackend::current()
{
    return installedBackend;
}

void ZebBusBackend::install(ZebBusBackend *backend)
{
    installedBackend = backend;
}
