#include "ipc/InterfaceXml.h"

#include "ipc/InterfaceXmlData.h"   // generated: the text of each file

namespace ipc {

const std::vector<InterfaceXmlFile>& InterfaceXmlFiles()
{
    static const std::vector<InterfaceXmlFile> files = GeneratedInterfaceXmlFiles();
    return files;
}

std::string InterfaceElement(std::string_view interfaceName)
{
    for (const auto& file : InterfaceXmlFiles()) {
        if (file.interfaceName != interfaceName)
            continue;
        const auto begin = file.text.find("<interface");
        const std::string_view closing = "</interface>";
        const auto end = file.text.find(closing, begin);
        if (begin == std::string_view::npos || end == std::string_view::npos)
            return {};
        return std::string(file.text.substr(begin, end + closing.size() - begin));
    }
    return {};
}

std::string IntrospectionDocument(const std::vector<std::string_view>& interfaceNames,
                                  const std::vector<std::string>& childNodes)
{
    std::string doc =
        "<!DOCTYPE node PUBLIC \"-//freedesktop//DTD D-BUS Object Introspection 1.0//EN\"\n"
        " \"http://www.freedesktop.org/standards/dbus/1.0/introspect.dtd\">\n<node>\n";
    for (auto name : interfaceNames) {
        doc += "  ";
        doc += InterfaceElement(name);
        doc += "\n";
    }
    doc +=
        "  <interface name=\"org.freedesktop.DBus.Introspectable\">\n"
        "    <method name=\"Introspect\"><arg name=\"xml_data\" type=\"s\" direction=\"out\"/></method>\n"
        "  </interface>\n"
        "  <interface name=\"org.freedesktop.DBus.Peer\">\n"
        "    <method name=\"Ping\"/>\n"
        "    <method name=\"GetMachineId\"><arg name=\"machine_uuid\" type=\"s\" direction=\"out\"/></method>\n"
        "  </interface>\n";
    for (const auto& child : childNodes)
        doc += "  <node name=\"" + child + "\"/>\n";
    doc += "</node>\n";
    return doc;
}

}  // namespace ipc
