#pragma once
// The introspection files of the worker's interfaces (resources/dbus), built
// into the library so that both sides answer Introspect from one source and
// the worker's RegServer can install them.

#include <string>
#include <string_view>
#include <vector>

namespace ipc {

struct InterfaceXmlFile {
    std::string_view interfaceName;   // "Ergasto.ICalcWorker"
    std::string_view fileName;        // "Ergasto.ICalcWorker.xml"
    std::string_view text;            // the whole file
};

// Every interface file, in a fixed order.
const std::vector<InterfaceXmlFile>& InterfaceXmlFiles();

// The <interface> element of one interface, for an Introspect answer; empty
// when the name is unknown.
std::string InterfaceElement(std::string_view interfaceName);

// A complete Introspect answer: the named interfaces, the standard
// Introspectable and Peer interfaces, and <node name="..."/> for each child.
std::string IntrospectionDocument(const std::vector<std::string_view>& interfaceNames,
                                  const std::vector<std::string>& childNodes = {});

}  // namespace ipc
