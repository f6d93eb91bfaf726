select o."Order Id", "ord""ers".x, m.plain from "ord""ers", "MySchema".plain m, myschema.PLAIN p
where o."Order Id" = :"OLD_Order Id" and p.x = :it_s
