#pragma once
// The handler for every completed navigation of the browser control 超文本浏览框1,
// frames included. On the support site's driver page it derives and fetches the
// warranty-result page and shows the product name and the coverage summary.

void OnBrowserNavigated();
