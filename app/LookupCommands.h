#pragma once
// The three lookup buttons: each opens support pages in the default browser, built
// from what the program knows at the moment of the click.

// 按钮1 "查询驱动": the support site's pages for the model, product and serial number.
void OnDriversClicked();
// 按钮2 "查询保修": the warranty-result page found by the navigation watcher.
void OnWarrantyClicked();
// 按钮4 "查询备件": the spare-parts search for the serial number as 编辑框3 shows it.
void OnSparePartsClicked();
