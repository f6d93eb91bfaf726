update "Odd Names"
set
  "2nd" = :"2nd",
  "order" = :"order",
  größe = :größe
where
  "Order Id" = :"OLD_Order Id" and
  "it's" = :"OLD_it's"
