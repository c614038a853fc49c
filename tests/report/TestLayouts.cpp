#include "report/TestLayouts.h"

namespace sijill::test {

QByteArray bandedLayoutJson() {
    return R"({
  "name": "Banded", "orientation": 1, "reportWidth": 10000,
  "sections": [
    {"name": "Section4", "height": 1000, "controls": [
      {"kind": "label", "name": "Title", "left": 0, "top": 100, "width": 10000, "height": 400,
       "caption": "REPORT HEADER"},
      {"kind": "label", "name": "class", "left": 0, "top": 500, "width": 4000, "height": 400,
       "caption": "stored class"}]},
    {"name": "Section2", "height": 500, "controls": [
      {"kind": "shape", "name": "HeadCell", "left": 0, "top": 0, "width": 10000, "height": 500,
       "backColor": "#E0E0E0"},
      {"kind": "label", "name": "Head", "left": 0, "top": 0, "width": 10000, "height": 500,
       "caption": "PAGE HEADER", "alignment": "center"}]},
    {"name": "Section1", "height": 1000, "controls": [
      {"kind": "textbox", "name": "Num", "dataField": "D0", "left": 9000, "top": 0,
       "width": 1000, "height": 1000, "alignment": "center"},
      {"kind": "textbox", "name": "Kl7", "dataField": "d1", "left": 4000, "top": 0,
       "width": 5000, "height": 1000},
      {"kind": "image", "name": "Image1", "left": 0, "top": 0, "width": 1000, "height": 1000}]},
    {"name": "Section3", "height": 400, "controls": [
      {"kind": "label", "name": "Foot", "left": 0, "top": 0, "width": 10000, "height": 400,
       "caption": "PAGE FOOTER"}]},
    {"name": "Section5", "height": 2000, "controls": [
      {"kind": "label", "name": "Sign", "left": 0, "top": 0, "width": 10000, "height": 400,
       "caption": "REPORT FOOTER"},
      {"kind": "line", "name": "Line1", "left": 0, "top": 1000, "width": 4000, "height": 0}]}
  ]
})";
}

report::ReportRowset numberedRows(int n) {
    report::ReportRowset rows = report::ReportRowset::withFields(3);
    for (int i = 1; i <= n; ++i) {
        rows.addRow();
        rows.set("d0", QString::number(i));
        rows.set("d1", QStringLiteral("name %1").arg(i));
        rows.set("d3", QStringLiteral("reg %1").arg(i));
    }
    return rows;
}

} // namespace sijill::test
