"""Turns lupdate's catalogue into a translation that marks every text:
"&Open..." becomes "[[&Open...]]" (each line of its own), so that a window showing it has no text
left unmarked unless that text bypassed the translation."""
import sys
import xml.etree.ElementTree as tree

path = sys.argv[1]
catalogue = tree.parse(path)
for message in catalogue.iter("message"):
    translation = message.find("translation")
    translation.attrib.pop("type", None)
    lines = message.findtext("source").split("\n")
    translation.text = "\n".join("[[" + line + "]]" for line in lines)
catalogue.getroot().set("language", "eo")
catalogue.write(path, encoding="utf-8", xml_declaration=True)
